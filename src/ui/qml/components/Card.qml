import QtQuick
import Quernhold

// A framed panel; its children stack vertically without spacing.
Rectangle {
    default property alias content: column.data
    color: Theme.surface
    radius: Theme.cardRadius
    border.width: 1
    border.color: Theme.line
    clip: true
    implicitWidth: column.implicitWidth
    implicitHeight: column.implicitHeight

    Column {
        id: column
        width: parent.width
        anchors.horizontalCenter: parent.horizontalCenter
    }
}
