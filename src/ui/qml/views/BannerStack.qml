import QtQuick
import Quernhold

// The conditions that need the user's attention, in a fixed order: an update of the app, an
// error, a missing game, Steam's launch option, and a launch whose loader never started. A column of what is shown: its height is
// always that of the banners shown, and none when none is.
Column {
    id: stack
    required property AppState app
    readonly property bool any: update.visible || error.visible || noGame.visible || steamOption.visible || noLoader.visible

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
        onAction: stack.app.window.showLog = true
        onClose: stack.app.activity.errorMessage = ""
    }
    Banner {
        id: noGame
        objectName: "banner.noGame"
        width: stack.width
        visible: !stack.app.game.found
        tint: Theme.ember
        title: qsTr("Valheim wasn’t found.")
        message: qsTr("Choose the folder that contains valheim.app (Steam › right-click Valheim › Manage › Browse local files).")
        actionTitle: qsTr("Choose Folder…")
        onAction: stack.app.chooseGameFolder()
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
        id: noLoader
        objectName: "banner.noLoader"
        width: stack.width
        visible: stack.app.launchCheck.noLoader
        tint: Theme.blood
        title: qsTr("The mod loader didn’t start.")
        message: qsTr("Valheim is running, but BepInEx wrote no log within a minute, so no mods are loaded. On a Mac this usually means the game was started from Steam instead of Play Modded, Rosetta is missing, the start script names another build of the game, or macOS quarantined the loader’s files.")
        actionTitle: qsTr("Show Launch Output")
        closable: true
        onAction: stack.app.launchCheck.showLaunchOutput()
        onClose: stack.app.launchCheck.dismissNoLoader()
    }
}
