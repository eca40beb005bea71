import QtQuick
import Qt5Compat.GraphicalEffects
import Quernhold

// A package icon: the image at `url`, or until it loads (or without one) the title's first letter
// on a plain square; rounded; grey and faded when `dimmed`.
Item {
    id: icon
    property url url
    property string title
    property real size: 40
    property bool dimmed: false

    implicitWidth: size
    implicitHeight: size
    opacity: dimmed ? 0.45 : 1

    Item {
        id: square
        anchors.fill: parent
        visible: false

        Rectangle {
            anchors.fill: parent
            color: Theme.iconPlaceholder
            visible: image.status !== Image.Ready
            Text {
                objectName: "modIcon.letter"
                anchors.centerIn: parent
                text: icon.title.length > 0 ? icon.title.charAt(0).toUpperCase() : ""
                color: Theme.muted
                font.pixelSize: icon.size * 0.38
                font.weight: Font.DemiBold
            }
        }
        Image {
            id: image
            anchors.fill: parent
            source: icon.url
            asynchronous: true
            fillMode: Image.PreserveAspectCrop
            sourceSize: Qt.size(icon.size * 2, icon.size * 2)
        }
    }

    Rectangle {
        id: mask
        anchors.fill: parent
        radius: icon.size * 0.18
        visible: false
    }

    OpacityMask {
        id: rounded
        anchors.fill: parent
        source: square
        maskSource: mask
        visible: !icon.dimmed
    }
    Desaturate {
        anchors.fill: parent
        source: rounded
        desaturation: 1
        visible: icon.dimmed
    }
}
