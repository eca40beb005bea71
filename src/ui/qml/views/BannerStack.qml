import QtQuick
import Quernhold

// The conditions that need the user's attention, in a fixed order: an update of the app, an
// error, a missing game, Steam's launch option, a game updated since the profile last started,
// and a launch whose loader never started. A column of what is shown: its height is
// always that of the banners shown, and none when none is.
Column {
    id: stack
    required property AppState app
    readonly property bool any: update.visible || error.visible || noGame.visible || steamOption.visible || gameUpdate.visible || noLoader.visible
    // Installing Rosetta and clearing the quarantine change the Mac, not only the game: asked first.
    property string asking

    spacing: Theme.largeSpacing
    topPadding: any ? 4 : 0

    Banner {
        id: update
        objectName: "banner.update"
        width: stack.width
        visible: !!stack.app.catalogue.appUpdate
        tint: Theme.moss
        title: visible ? PaneWording.updateTitle(stack.app.catalogue.appUpdate.version) : ""
        message: visible ? PaneWording.updateMessage(stack.app.catalogue.appUpdate.notes, About.website) : ""
        actionTitle: qsTr("Download")
        closable: true
        onAction: stack.app.openURL(PaneWording.updatePage(stack.app.catalogue.appUpdate.page, About.website))
        onClose: stack.app.catalogue.appUpdate = null
    }
    Banner {
        id: error
        objectName: "banner.error"
        width: stack.width
        visible: stack.app.activity.errorMessage !== ""
        tint: Theme.blood
        title: qsTr("Something went wrong.")
        message: stack.app.activity.errorMessage
        actionTitle: qsTr("Show Log")
        closable: true
        onAction: stack.app.window.open(WindowState.Log)
        onClose: stack.app.activity.errorMessage = ""
    }
    Banner {
        id: noGame
        objectName: "banner.noGame"
        width: stack.width
        // A folder chosen that is not the game's takes this banner's words, never a second banner.
        visible: !stack.app.game.found || stack.app.game.wrongFolderChosen
        tint: Theme.ember
        title: stack.app.game.wrongFolderChosen ? qsTr("That folder isn’t Valheim’s game folder.") : qsTr("Valheim wasn’t found.")
        message: stack.app.game.wrongFolderChosen ? qsTr("Choose the folder named Valheim inside steamapps/common.")
                 : qsTr("Choose the folder that contains valheim.app (Steam › right-click Valheim › Manage › Browse local files).")
        actionTitle: qsTr("Choose Folder…")
        // With the game found elsewhere, the player may keep that folder.
        closable: stack.app.game.found
        onAction: stack.app.chooseGameFolder()
        onClose: stack.app.game.wrongFolderChosen = false
    }
    Banner {
        id: steamOption
        objectName: "banner.steamOption"
        width: stack.width
        visible: stack.app.game.steamLaunchOptionSet
        tint: Theme.ember
        title: qsTr("Steam is set to always load mods.")
        message: qsTr("An earlier version of this tool added a Steam launch option. To play vanilla from Steam, clear it: Steam › right-click Valheim › Properties › General › Launch Options.")
    }
    Banner {
        id: gameUpdate
        objectName: "banner.gameUpdate"
        width: stack.width
        visible: stack.app.launcher.gameUpdateWarning
        tint: Theme.ember
        title: stack.app.launcher.gameUpdateTitle
        message: stack.app.launcher.gameUpdateMessage
        actionTitle: qsTr("Review Updates")
        secondTitle: qsTr("Play Anyway")
        thirdTitle: qsTr("Don’t Warn for This Update")
        closable: true
        onAction: stack.app.window.open(WindowState.UpdateReview)
        onSecondAction: stack.app.launcher.playAnyway()
        onThirdAction: stack.app.launcher.playWithoutWarning()
        onClose: stack.app.launcher.clearWarning()
    }
    Banner {
        id: noLoader
        objectName: "banner.noLoader"
        width: stack.width
        visible: stack.app.launchCheck.noLoader
        tint: Theme.blood
        title: qsTr("The mod loader didn’t start.")
        message: qsTr("Valheim is running, but BepInEx wrote no log within a minute, so no mods are loaded. On a Mac the cause is usually one of these:")
        causes: [
            { text: qsTr("The game was started from Steam instead of Play Modded."), action: qsTr("Quit Valheim and Play Modded here") },
            { text: qsTr("Rosetta isn’t installed; the loader needs it on Apple Silicon."), action: qsTr("Install Rosetta") },
            { text: qsTr("The start script names another build of the game."), action: qsTr("Repair Loader Files") },
            { text: qsTr("macOS quarantined the loader’s files."), action: qsTr("Clear Quarantine") }
        ]
        causesEnabled: stack.app.activity.idle
        actionTitle: qsTr("Show Launch Output")
        closable: true
        onAction: stack.app.launchCheck.showLaunchOutput()
        onClose: stack.app.launchCheck.dismissNoLoader()
        onCauseAction: (index) => {
            if (index === 0)
                stack.app.launchCheck.quitAndPlayModded()
            else if (index === 2)
                stack.app.launchCheck.repairLoaderFiles()
            else
                stack.asking = index === 1 ? "rosetta" : "quarantine"
        }
    }
    Loader {
        // Holds a pop-up only: it takes no place in the column.
        visible: false
        active: stack.asking !== ""
        sourceComponent: ConfirmDialog {
            name: "banner.confirm"
            objectName: "banner.confirm"
            // Qt 6.4 cannot bind a loader's component to this file's scope, and its qmllint cannot see
            // ids outside a component; the lines that use one say so.
            app: stack.app // qmllint disable unqualified
            destructive: false
            title: stack.asking === "rosetta" ? qsTr("Install Rosetta?") : qsTr("Clear the quarantine of the loader’s files?") // qmllint disable unqualified
            message: stack.asking === "rosetta" // qmllint disable unqualified
                     ? qsTr("macOS downloads Rosetta from Apple and installs it; it runs the Intel build of Valheim that the mod loader needs. Installing it agrees to its licence.")
                     : qsTr("macOS marks files that come from the internet and may refuse to run them. This removes the mark from the loader’s files in the game folder and in this profile.")
            actionText: stack.asking === "rosetta" ? qsTr("Install Rosetta") : qsTr("Clear Quarantine") // qmllint disable unqualified
            onConfirmed: stack.asking === "rosetta" ? stack.app.launchCheck.installRosetta() : stack.app.launchCheck.clearQuarantine() // qmllint disable unqualified
            onClosed: stack.asking = "" // qmllint disable unqualified
        }
    }
}
