import QtQuick
import QtQuick.Layouts
import Quernhold

// The profile's settings: a search through every setting, the config files on the left, the open
// file on the right (setting by setting, or as text), Save and Revert, and the notices that keep
// the files safe while the game runs or another program changes one.
ColumnLayout {
    id: view
    required property AppState app
    readonly property ConfigEditor config: app.config
    readonly property bool searching: config.search.query.trim() !== ""
    // The room left and right of the content; a sheet brings its own.
    property int inset: Theme.pageMargin

    spacing: 0

    Component.onCompleted: config.refresh()
    Connections {
        target: view.config
        function onFolderChanged() { view.config.refresh() }
    }
    Shortcut {
        sequence: "Ctrl+S"
        enabled: view.config.canSave
        onActivated: view.config.save()
    }

    Banner {
        objectName: "config.gameRunning"
        Layout.fillWidth: true
        Layout.leftMargin: view.inset
        Layout.rightMargin: view.inset
        Layout.topMargin: Theme.largeSpacing
        visible: view.config.gameRunning
        tint: Theme.ember
        title: qsTr("Valheim is running.")
        message: qsTr("It writes these files again when it quits, so saving is off until then.")
    }
    Banner {
        objectName: "config.conflict"
        Layout.fillWidth: true
        Layout.leftMargin: view.inset
        Layout.rightMargin: view.inset
        Layout.topMargin: Theme.largeSpacing
        visible: view.config.conflict
        tint: Theme.blood
        title: qsTr("“%1” changed on disk.").arg(view.config.current.title)
        message: qsTr("Another program saved it while you were editing it here.")
        actionTitle: qsTr("Keep Mine")
        secondTitle: qsTr("Load Theirs")
        onAction: view.config.keepMine()
        onSecondAction: view.config.loadTheirs()
    }

    RowLayout {
        Layout.fillWidth: true
        Layout.leftMargin: view.inset
        Layout.rightMargin: view.inset
        Layout.topMargin: Theme.xxLargeSpacing
        Layout.bottomMargin: Theme.xxLargeSpacing
        spacing: Theme.xLargeSpacing

        SearchField {
            Layout.fillWidth: true
            fieldName: "config.search"
            clearName: "config.clear"
            placeholder: qsTr("Search all settings")
            text: view.config.search.query
            onEdited: (text) => view.config.search.query = text
        }
        AppButton {
            objectName: "config.revert"
            text: qsTr("Revert")
            enabled: view.config.dirty
            onClicked: view.config.revert()
        }
        AppButton {
            objectName: "config.save"
            text: qsTr("Save")
            isDefault: view.config.canSave
            enabled: view.config.canSave
            tip: view.config.gameRunning ? qsTr("Saving is off while Valheim runs") : ""
            onClicked: view.config.save()
        }
    }

    RowLayout {
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: view.inset
        Layout.rightMargin: view.inset
        Layout.bottomMargin: Theme.pageBottomMargin
        spacing: Theme.sectionSpacing

        ConfigFileList {
            objectName: "config.files"
            Layout.preferredWidth: 250
            Layout.fillHeight: true
            config: view.config
        }
        Loader {
            objectName: "config.body"
            Layout.fillWidth: true
            Layout.fillHeight: true
            sourceComponent: view.searching ? matches
                : view.config.current.path === "" ? nothing
                : view.config.current.problem !== "" ? problem
                : view.config.current.settingsFile ? entries : plainText
        }
    }

    // Qt 6.4 cannot bind a loader's component to this file's scope, and its qmllint cannot see
    // ids outside a component; the lines that use one say so.
    Component { id: matches; ConfigMatches { objectName: "config.matches"; config: view.config } } // qmllint disable unqualified
    Component { id: entries; ConfigEntries { objectName: "config.entries"; config: view.config } } // qmllint disable unqualified
    Component { id: plainText; ConfigTextEditor { objectName: "config.text"; config: view.config } } // qmllint disable unqualified
    Component {
        id: nothing
        Notice {
            objectName: "config.none"
            title: view.config.listing || view.config.opening ? "" // qmllint disable unqualified
                : view.config.files.total === 0 ? qsTr("No config files yet.") : qsTr("Choose a file to see its settings.")
            detail: view.config.files.total === 0 && !view.config.listing // qmllint disable unqualified
                ? qsTr("Mods write theirs the first time Valheim starts with them.") : ""
        }
    }
    Component {
        id: problem
        Notice {
            objectName: "config.unreadable"
            title: view.config.current.problem // qmllint disable unqualified
            detail: view.config.current.problemDetail // qmllint disable unqualified
        }
    }

    // A sentence in the middle of the right-hand side, with an optional smaller line under it.
    component Notice: Item {
        id: notice
        property string title
        property string detail
        ColumnLayout {
            anchors.centerIn: parent
            width: Math.min(parent.width - 48, 460)
            spacing: Theme.largeSpacing
            Text {
                Layout.fillWidth: true
                text: notice.title
                color: Theme.muted
                font.pixelSize: Theme.bodyFontSize
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }
            Text {
                Layout.fillWidth: true
                visible: text !== ""
                text: notice.detail
                color: Theme.faint
                font.pixelSize: Theme.captionFontSize
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }
        }
    }
}
