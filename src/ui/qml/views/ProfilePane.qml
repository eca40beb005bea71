import QtQuick
import QtQuick.Layouts
import Quernhold

// The right-hand pane: the selected profile's body above its footer.
Rectangle {
    id: pane
    required property AppState app
    color: Theme.bg

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        // The profile's header, banners and tabs take this place.
        Item {
            objectName: "pane.body"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Column {
                anchors.centerIn: parent
                spacing: 12
                RuneMark { size: 40; anchors.horizontalCenter: parent.horizontalCenter; opacity: 0.8 }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: Math.min(implicitWidth, pane.width - 80)
                    text: pane.app.selected ? pane.app.selected.name : ""
                    color: Theme.faint
                    font.pixelSize: 15
                    elide: Text.ElideRight
                }
            }
        }

        Footer {
            objectName: "footer"
            Layout.fillWidth: true
            app: pane.app
            visible: !!pane.app.selected
        }
    }
}
