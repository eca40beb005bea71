pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The selected profile's mods: the loader, the mods the user added and the ones they brought;
// while several are picked, the commands on all of them float over the list's foot, so that no
// row moves under the pointer when they come and go.
Item {
    id: view
    required property AppState app

    // The list's keys for picking rows; the sheets and the other tab keep theirs.
    Shortcut {
        sequences: ["Shift+Down"]
        enabled: !view.app.window.sheetShown
        onActivated: view.app.modSelection.extendBy(1)
    }
    Shortcut {
        sequences: ["Shift+Up"]
        enabled: !view.app.window.sheetShown
        onActivated: view.app.modSelection.extendBy(-1)
    }
    Shortcut {
        sequences: ["Escape"]
        enabled: !view.app.window.sheetShown && view.app.modSelection.count > 0
        onActivated: view.app.modSelection.clear()
    }

    ScrollView {
        id: scroller
        anchors.fill: parent
        contentWidth: availableWidth
        clip: true

        ColumnLayout {
            width: scroller.availableWidth
            spacing: 0

            SectionTitle { caption: qsTr("Mod loader"); Layout.leftMargin: Theme.pageMargin; Layout.topMargin: Theme.groupSpacing; Layout.bottomMargin: Theme.mediumSpacing }
            Card {
                Layout.fillWidth: true
                Layout.leftMargin: Theme.pageMargin
                Layout.rightMargin: Theme.pageMargin
                LoaderRow { width: parent.width; app: view.app }
            }

            SectionTitle { caption: qsTr("Mods"); Layout.leftMargin: Theme.pageMargin; Layout.topMargin: Theme.groupTitleSpacing; Layout.bottomMargin: Theme.mediumSpacing }
            ColumnLayout {
                objectName: "installed.empty"
                visible: view.app.selection.mods.count === 0
                Layout.alignment: Qt.AlignHCenter
                Layout.topMargin: Theme.emptyStateMargin
                Layout.bottomMargin: Theme.emptyStateMargin
                spacing: Theme.xxLargeSpacing
                Text {
                    Layout.alignment: Qt.AlignHCenter
                    text: qsTr("No mods in this profile yet.")
                    color: Theme.muted
                    font.pixelSize: Theme.bodyFontSize
                }
                AppButton {
                    objectName: "installed.browse"
                    Layout.alignment: Qt.AlignHCenter
                    text: qsTr("Browse Mods")
                    iconName: "search"
                    onClicked: view.app.window.tab = DetailTab.Browse
                }
            }
            ModCard { objectName: "installed.mods"; app: view.app; visible: view.app.selection.mods.count > 0; model: view.app.selection.mods }

            SectionTitle {
                objectName: "installed.dependenciesTitle"
                visible: view.app.selection.dependencies.count > 0
                caption: qsTr("Dependencies")
                Layout.leftMargin: Theme.pageMargin; Layout.topMargin: Theme.groupTitleSpacing; Layout.bottomMargin: Theme.mediumSpacing
            }
            ModCard {
                objectName: "installed.dependencies"
                app: view.app
                visible: view.app.selection.dependencies.count > 0
                model: view.app.selection.dependencies
            }
            // Room to scroll the last row out from under the bar.
            Item { implicitHeight: 24 + (bar.visible ? bar.height + Theme.sectionSpacing : 0) }
        }
    }

    SelectionBar {
        id: bar
        objectName: "installed.selectionBar"
        app: view.app
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.leftMargin: Theme.pageMargin
        anchors.rightMargin: Theme.pageMargin
        anchors.bottomMargin: Theme.sectionSpacing
    }

    component ModCard: Card {
        id: card
        required property AppState app
        property alias model: rows.model
        Layout.fillWidth: true
        Layout.leftMargin: Theme.pageMargin
        Layout.rightMargin: Theme.pageMargin
        Repeater {
            id: rows
            ModRow {
                width: card.width
                app: card.app
            }
        }
    }
}
