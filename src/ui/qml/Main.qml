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

    title: qsTr("Quernhold")
    width: 1100
    height: 780
    minimumWidth: 920
    minimumHeight: 600
    color: Theme.bg
    font.pixelSize: Theme.bodyFontSize
    // Files may have changed while the player was elsewhere.
    onActiveChanged: if (active) window.app.refresh()

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

    Commands {
        id: menuCommands
        app: window.app
        onImportFileRequested: importFileDialog.open()
        onExportFileRequested: (profile) => window.chooseExportFile(profile)
        onModFileRequested: modFileDialog.open()
        onDeleteRequested: (profile) => sidebar.confirmDelete = profile
    }

    // One menu bar, made with the commands: the system's on macOS, else one in the window.
    readonly property bool nativeMenus: Qt.platform.os === "osx"
    menuBar: nativeMenus ? null : windowMenus.createObject(window, { commands: menuCommands }) as MenuBar
    Component { id: windowMenus; WindowMenus {} }
    Component { id: nativeMenuBar; NativeMenus {} }

    SplitView {
        anchors.fill: parent
        orientation: Qt.Horizontal
        handle: Rectangle {
            implicitWidth: 1
            color: SplitHandle.hovered || SplitHandle.pressed ? Theme.btnBorder : Theme.line
        }

        Sidebar {
            id: sidebar
            objectName: "sidebar"
            app: window.app
            onExportFileRequested: (profile) => window.chooseExportFile(profile)
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

    // Profile files: chosen in a file dialog or dropped on the window, then imported through the
    // import sheet as a code is.
    function offerImportFile(url) {
        window.app.window.open(WindowState.Import, url)
    }
    function chooseExportFile(profile) {
        exportFileDialog.profile = profile
        exportFileDialog.selectedFile = exportFileDialog.currentFolder + "/" + profile.name + ".r2z"
        exportFileDialog.open()
    }
    FileDialog {
        id: importFileDialog
        title: qsTr("Import Profile File")
        nameFilters: [qsTr("Profile files (*.r2z *.zip)")]
        onAccepted: window.offerImportFile(selectedFile)
    }
    FileDialog {
        id: exportFileDialog
        property var profile
        title: qsTr("Export Profile File")
        fileMode: FileDialog.SaveFile
        nameFilters: [qsTr("Profile files (*.r2z)")]
        defaultSuffix: "r2z"
        onAccepted: window.app.transfer.exportProfileFile(profile, selectedFile)
    }
    FileDialog {
        id: modFileDialog
        title: qsTr("Install Mod from File")
        nameFilters: [qsTr("Mod archives (*.zip)")]
        onAccepted: window.app.modController.installModFile(selectedFile)
    }
    // A dropped mod archive is installed into the selected profile; a profile file is offered for import.
    DropArea {
        anchors.fill: parent
        onEntered: (drag) => drag.accepted = drag.hasUrls && /\.(r2z|zip)$/i.test(drag.urls[0])
        onDropped: (drop) => window.app.openDroppedFile(drop.urls[0])
    }

    Component.onCompleted: {
        if (nativeMenus) nativeMenuBar.createObject(window.contentItem, { commands: menuCommands })
        app.start()
    }
}
