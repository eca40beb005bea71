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
            text: "Visit quernhold.app"
            onTriggered: commands.app.openURL(About.website)
        }
    ]
    readonly property list<Command> fileMenu: [
        Command {
            text: "New Profile…"; shortcut: "Ctrl+N"
            enabled: !commands.app.window.sheetShown
            onTriggered: commands.app.window.showNewProfile = true
        },
        Command {
            text: "Import Profile Code…"; shortcut: "Ctrl+I"
            enabled: !commands.app.window.sheetShown
            onTriggered: commands.app.window.showImport = true
        },
        Command {
            text: "Import Profile File…"
            enabled: !commands.app.window.sheetShown
            onTriggered: commands.importFileRequested()
        }
    ]
    readonly property list<Command> profileMenu: [
        Command {
            text: "Play Modded"; shortcut: "Ctrl+Return"
            enabled: commands.app.game.canPlay
            onTriggered: commands.app.play()
        },
        Command {
            text: "Update All"; shortcut: "Ctrl+U"
            enabled: commands.app.activity.idle
            onTriggered: commands.app.updateAll()
        },
        Command {
            text: "Install Mod from File…"
            enabled: commands.app.activity.idle && !!commands.app.selected
            onTriggered: commands.modFileRequested()
        },
        Command {
            text: "Share Profile Code…"
            enabled: commands.app.activity.idle && !!commands.app.selected && !commands.app.window.sheetShown
            onTriggered: commands.app.shareCode(commands.app.selected)
        },
        Command {
            text: "Export Profile File…"
            enabled: commands.app.activity.idle && !!commands.app.selected
            onTriggered: commands.exportFileRequested(commands.app.selected)
        },
        // The selected profile's entries of the sidebar row's menu.
        Command {
            text: "Rename…"; separatorBefore: true
            enabled: !!commands.app.selected
            onTriggered: commands.app.window.renaming = commands.app.selected
        },
        Command {
            text: "Duplicate"; shortcut: "Ctrl+D"
            enabled: !!commands.app.selected
            onTriggered: commands.app.duplicate(commands.app.selected)
        },
        Command {
            text: "Delete…"; shortcut: "Ctrl+Backspace"
            enabled: !!commands.app.selected && commands.app.activity.idle
            onTriggered: commands.deleteRequested(commands.app.selected)
        },
        Command {
            text: "Installed Mods"; shortcut: "Ctrl+1"; separatorBefore: true
            onTriggered: commands.app.window.tab = DetailTab.Installed
        },
        Command {
            text: "Browse Mods"; shortcut: "Ctrl+2"
            onTriggered: commands.app.window.tab = DetailTab.Browse
        },
        Command {
            text: "Config Files"; shortcut: "Ctrl+3"
            enabled: !!commands.app.selected && !commands.app.window.sheetShown
            onTriggered: commands.app.window.showConfig = true
        },
        Command {
            text: "Refresh Mod List"; shortcut: "Ctrl+R"
            onTriggered: commands.app.catalogue.loadIndex(true)
        },
        Command {
            text: "Open Profile Folder"; separatorBefore: true
            onTriggered: commands.app.openProfileFolder()
        },
        Command {
            text: "Open Game Log"
            onTriggered: commands.app.openGameLog()
        },
        Command {
            text: "Launch Report…"; shortcut: "Ctrl+L"
            enabled: commands.app.launchCheck.hasReport && !commands.app.window.sheetShown
            onTriggered: commands.app.launchCheck.shown = true
        },
        Command {
            text: "Show Activity Log"
            enabled: !commands.app.window.sheetShown
            onTriggered: commands.app.window.showLog = true
        },
        Command {
            text: "Change Game Folder…"
            onTriggered: commands.app.chooseGameFolder()
        },
        Command {
            text: "Clear Download Cache"; separatorBefore: true
            enabled: commands.app.activity.idle
            onTriggered: commands.app.clearDownloadCache()
        }
    ]
    readonly property list<Command> helpMenu: [
        Command {
            text: "Quernhold Help"
            onTriggered: commands.app.openURL(About.website + "/help")
        }
    ]
}
