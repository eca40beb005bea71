import QtQuick
import Quernhold

// A small status capsule that never wraps or shrinks below its text.
Item {
    id: pill
    property alias text: label.text
    property color fg: Theme.text
    property color bg: "transparent"
    property color border: "transparent"

    implicitWidth: label.implicitWidth + 18
    implicitHeight: label.implicitHeight + 6
    width: implicitWidth
    height: implicitHeight

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: pill.bg
        border.width: 1
        border.color: pill.border
    }
    Text {
        id: label
        anchors.centerIn: parent
        color: pill.fg
        font.pixelSize: Theme.captionFontSize
        font.weight: Font.DemiBold
        wrapMode: Text.NoWrap
    }
}
