import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import Quernhold

// The main window: profiles on the left, the selected profile on the right, the menu commands
// and the sheets.
ApplicationWindow {
    id: window
    required property AppState app
    required property Desktop desktop

    title: "Quernhold"
    width: 1100
    height: 780
    minimumWidth: 920
    minimumHeight: 600
    color: Theme.bg
    font.pixelSize: 13

    // The dark scheme with ember as the accent, for the controls that draw from the palette.
    palette {
        window: Theme.bg
        windowText: Theme.text
        base: Theme.surface
        alternateBase: Theme.surface2
        text: Theme.text
        button: Theme.surface2
        buttonText: Theme.text
        highlight: Theme.ember
        highlightedText: Theme.playText
        toolTipBase: Theme.surface2
        toolTipText: Theme.text
        placeholderText: Theme.faint
        mid: Theme.line
        dark: Theme.line
        light: Theme.surface2
    }

    Commands { id: menuCommands; app: window.app }

    readonly property bool nativeMenus: Qt.platform.os === "osx"
    menuBar: nativeMenus ? null : windowMenus.createObject(window)
    Component { id: windowMenus; WindowMenus { commands: menuCommands } }
    Loader {
        active: window.nativeMenus
        sourceComponent: NativeMenus { commands: menuCommands }
    }

    SplitView {
        anchors.fill: parent
        orientation: Qt.Horizontal
        handle: Rectangle {
            implicitWidth: 1
            color: SplitHandle.hovered || SplitHandle.pressed ? Theme.btnBorder : Theme.line
        }

        Sidebar {
            objectName: "sidebar"
            app: window.app
            SplitView.minimumWidth: 200
            SplitView.preferredWidth: 230
            SplitView.maximumWidth: 300
        }
        ProfilePane {
            objectName: "pane"
            app: window.app
            SplitView.fillWidth: true
        }
    }

    Sheets { app: window.app }

    FolderDialog {
        id: folderDialog
        onAccepted: window.desktop.finishFolderChoice(selectedFolder)
        onRejected: window.desktop.finishFolderChoice("")
    }
    Connections {
        target: window.desktop
        function onFolderRequested(message, button) {
            folderDialog.title = message
            folderDialog.acceptLabel = button
            folderDialog.open()
        }
    }

    Component.onCompleted: app.start()
}
