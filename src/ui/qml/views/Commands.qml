import QtQuick
import Quernhold

// The menu-bar commands, by menu and in order. The native (macOS) and in-window menu bars both
// draw these lists, so labels, shortcuts and enablement live in one place.
QtObject {
    id: commands
    required property AppState app
    // The file choosers belong to the window, which answers these.
    signal importFileRequested()
    signal exportFileRequested(var profile)
    signal modFileRequested()
    // The sidebar asks before a profile is deleted; it answers this.
    signal deleteRequested(var profile)

    readonly property list<Command> appMenu: [
        Command {
            text: qsTr("Visit quernhold.app")
            onTriggered: commands.app.openURL(About.website)
        }
    ]
    readonly property list<Command> fileMenu: [
        Command {
            text: qsTr("New Profile…"); shortcut: "Ctrl+N"
            enabled: !commands.app.window.sheetShown
            onTriggered: commands.app.window.open(WindowState.NewProfile)
        },
        Command {
            text: qsTr("Import Profile Code…"); shortcut: "Ctrl+I"
            enabled: !commands.app.window.sheetShown
            onTriggered: commands.app.window.open(WindowState.Import)
        },
        Command {
            text: qsTr("Import Profile File…")
            enabled: !commands.app.window.sheetShown
            onTriggered: commands.importFileRequested()
        }
    ]
    readonly property list<Command> editMenu: [
        Command {
            text: commands.app.history.undoText; shortcut: "Ctrl+Z"
            enabled: commands.app.history.canUndo && !commands.app.window.sheetShown
            onTriggered: commands.app.modController.undo()
        },
        Command {
            text: commands.app.history.redoText; shortcut: "Ctrl+Shift+Z"
            enabled: commands.app.history.canRedo && !commands.app.window.sheetShown
            onTriggered: commands.app.modController.redo()
        },
        Command {
            text: qsTr("Select All Mods"); shortcut: "Ctrl+A"; separatorBefore: true
            enabled: commands.app.window.tab === DetailTab.Installed && !commands.app.window.sheetShown
                     && commands.app.selection.mods.count + commands.app.selection.dependencies.count > 0
            onTriggered: commands.app.modSelection.selectAll()
        }
    ]
    readonly property list<Command> profileMenu: [
        Command {
            text: qsTr("Play Modded"); shortcut: "Ctrl+Return"
            enabled: commands.app.game.canPlay
            onTriggered: commands.app.launcher.play()
        },
        Command {
            text: qsTr("Update All"); shortcut: "Ctrl+U"
            enabled: commands.app.selection.canChange
            // The updates wait for the player's review; with none, it says that all is up to date.
            onTriggered: if (commands.app.selection.updates > 0) commands.app.window.open(WindowState.UpdateReview)
                         else commands.app.modController.updateAll()
        },
        Command {
            text: qsTr("Install Mod from File…")
            enabled: commands.app.selection.canChange
            onTriggered: commands.modFileRequested()
        },
        Command {
            text: qsTr("Share Profile Code…")
            enabled: commands.app.activity.idle && !!commands.app.selection.profile && !commands.app.window.sheetShown
            onTriggered: commands.app.transfer.shareCode(commands.app.selection.profile)
        },
        Command {
            text: qsTr("Export Profile File…")
            enabled: commands.app.activity.idle && !!commands.app.selection.profile
            onTriggered: commands.exportFileRequested(commands.app.selection.profile)
        },
        Command {
            text: qsTr("Copy Mod List")
            enabled: !!commands.app.selection.profile
            onTriggered: commands.app.transfer.copyModList(commands.app.selection.profile, false)
        },
        Command {
            text: qsTr("Copy Mod List as Markdown")
            enabled: !!commands.app.selection.profile
            onTriggered: commands.app.transfer.copyModList(commands.app.selection.profile, true)
        },
        // The selected profile's entries of the sidebar row's menu.
        Command {
            text: qsTr("Rename…"); separatorBefore: true
            enabled: !!commands.app.selection.profile
            onTriggered: commands.app.window.open(WindowState.Rename, commands.app.selection.profile)
        },
        Command {
            text: qsTr("Duplicate"); shortcut: "Ctrl+D"
            enabled: !!commands.app.selection.profile
            onTriggered: commands.app.duplicate(commands.app.selection.profile)
        },
        Command {
            text: qsTr("Delete…"); shortcut: "Ctrl+Backspace"
            enabled: commands.app.selection.canChange
            onTriggered: commands.deleteRequested(commands.app.selection.profile)
        },
        Command {
            text: qsTr("Installed Mods"); shortcut: "Ctrl+1"; separatorBefore: true
            onTriggered: commands.app.window.tab = DetailTab.Installed
        },
        Command {
            text: qsTr("Browse Mods"); shortcut: "Ctrl+2"
            onTriggered: commands.app.window.tab = DetailTab.Browse
        },
        Command {
            text: qsTr("Config Files"); shortcut: "Ctrl+3"
            enabled: !!commands.app.selection.profile && !commands.app.window.sheetShown
            onTriggered: commands.app.window.open(WindowState.Config)
        },
        Command {
            text: qsTr("Refresh Mod List"); shortcut: "Ctrl+R"
            onTriggered: commands.app.catalogue.loadIndex(true)
        },
        Command {
            text: qsTr("Open Profile Folder"); separatorBefore: true
            onTriggered: commands.app.openProfileFolder()
        },
        Command {
            text: qsTr("Open Game Log")
            onTriggered: commands.app.launcher.openGameLog()
        },
        Command {
            text: qsTr("History…"); shortcut: "Ctrl+Y"
            enabled: !!commands.app.selection.profile && !commands.app.window.sheetShown
            onTriggered: commands.app.window.open(WindowState.History)
        },
        Command {
            text: qsTr("Launch Report…"); shortcut: "Ctrl+L"
            enabled: commands.app.launchCheck.hasReport && !commands.app.window.sheetShown
            onTriggered: commands.app.window.open(WindowState.LaunchReport)
        },
        Command {
            text: qsTr("Show Activity Log")
            enabled: !commands.app.window.sheetShown
            onTriggered: commands.app.window.open(WindowState.Log)
        },
        Command {
            text: qsTr("Change Game Folder…")
            onTriggered: commands.app.chooseGameFolder()
        },
        Command {
            text: qsTr("Clear Download Cache"); separatorBefore: true
            enabled: commands.app.activity.idle
            onTriggered: commands.app.modController.clearDownloadCache()
        }
    ]
    readonly property list<Command> helpMenu: [
        Command {
            text: qsTr("Quernhold Help")
            onTriggered: commands.app.openURL(About.website + "/help")
        }
    ]
}
