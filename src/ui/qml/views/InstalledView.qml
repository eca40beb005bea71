import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The selected profile's mods: the loader, the mods the user added and the ones they brought.
ScrollView {
    id: view
    required property AppState app

    contentWidth: availableWidth
    clip: true

    ColumnLayout {
        width: view.availableWidth
        spacing: 0

        SectionTitle { caption: "Mod loader"; Layout.leftMargin: 24; Layout.topMargin: 16; Layout.bottomMargin: 6 }
        Card {
            Layout.fillWidth: true
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            LoaderRow { width: parent.width; app: view.app }
        }

        SectionTitle { caption: "Mods"; Layout.leftMargin: 24; Layout.topMargin: 18; Layout.bottomMargin: 6 }
        ColumnLayout {
            objectName: "installed.empty"
            visible: view.app.mods.count === 0
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 28
            Layout.bottomMargin: 28
            spacing: 12
            Text {
                Layout.alignment: Qt.AlignHCenter
                text: "No mods in this profile yet."
                color: Theme.muted
                font.pixelSize: 13
            }
            AppButton {
                objectName: "installed.browse"
                Layout.alignment: Qt.AlignHCenter
                text: "Browse Mods"
                iconName: "search"
                onClicked: view.app.window.tab = DetailTab.Browse
            }
        }
        ModCard { objectName: "installed.mods"; visible: view.app.mods.count > 0; model: view.app.mods }

        SectionTitle {
            objectName: "installed.dependenciesTitle"
            visible: view.app.dependencies.count > 0
            caption: "Dependencies"
            Layout.leftMargin: 24; Layout.topMargin: 18; Layout.bottomMargin: 6
        }
        ModCard {
            objectName: "installed.dependencies"
            visible: view.app.dependencies.count > 0
            model: view.app.dependencies
        }
        Item { implicitHeight: 24 }
    }

    component ModCard: Card {
        id: card
        property alias model: rows.model
        Layout.fillWidth: true
        Layout.leftMargin: 24
        Layout.rightMargin: 24
        Repeater {
            id: rows
            Column {
                id: entry
                required property int index
                required property var model
                width: card.width
                RowDivider { visible: entry.index > 0; width: parent.width }
                ModRow {
                    objectName: "modRow." + entry.model.name
                    width: parent.width
                    app: view.app
                    index: entry.index
                    model: entry.model
                }
            }
        }
    }
}
