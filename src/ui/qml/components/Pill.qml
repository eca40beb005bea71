import QtQuick
import Quernhold

// A small status capsule that never wraps or shrinks below its text, with an optional icon before it.
Item {
    id: pill
    property alias text: label.text
    property string symbol
    property color fg: Theme.text
    property color bg: "transparent"
    property color border: "transparent"

    implicitWidth: content.implicitWidth + 18
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
    Row {
        id: content
        anchors.centerIn: parent
        spacing: Theme.smallSpacing
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            visible: pill.symbol !== ""
            symbol: pill.symbol
            size: Theme.smallIconSize
            color: pill.fg
        }
        Text {
            id: label
            color: pill.fg
            font.pixelSize: Theme.captionFontSize
            font.weight: Font.DemiBold
            wrapMode: Text.NoWrap
        }
    }
}
