import QtQuick
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

    Rectangle {
        anchors.fill: parent
        radius: icon.size * 0.18
        color: Theme.iconPlaceholder
        visible: image.status !== PackageImage.Ready
        Text {
            objectName: "modIcon.letter"
            anchors.centerIn: parent
            text: icon.title.length > 0 ? icon.title.charAt(0).toUpperCase() : ""
            color: Theme.muted
            font.pixelSize: Math.round(icon.size * 0.38)
            font.weight: Font.DemiBold
        }
    }

    PackageImage {
        id: image
        objectName: "modIcon.image"
        anchors.fill: parent
        source: icon.url
        radius: icon.size * 0.18
        grey: icon.dimmed
    }
}
