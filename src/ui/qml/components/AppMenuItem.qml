import QtQuick
import QtQuick.Controls
import Quernhold

// One menu item; `destructive` draws it in the error colour. Shows the shortcut of its action.
MenuItem {
    id: item
    property bool destructive: false
    property string tip  // shown by the menu on hover, also while disabled
    implicitHeight: Theme.compactControlHeight
    leftPadding: Theme.xLargeSpacing
    rightPadding: Theme.xLargeSpacing
    font.pixelSize: Theme.bodyFontSize
    // Declared here rather than in place: the ids inside would make it no longer deferred.
    contentItem: content
    Item {
        id: content
        implicitWidth: label.implicitWidth + keys.implicitWidth + 24
        Text {
            id: label
            anchors.verticalCenter: parent.verticalCenter
            text: item.text
            font: item.font
            color: !item.enabled ? Theme.faint : item.destructive ? Theme.blood : Theme.text
        }
        Text {
            id: keys
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            text: item.action && item.action.shortcut ? item.action.shortcut.toString() : ""
            font.pixelSize: Theme.smallFontSize
            color: Theme.faint
        }
    }
    background: Rectangle {
        radius: Theme.menuItemRadius
        color: item.highlighted && item.enabled ? Theme.alpha(Theme.ember, 0.22) : "transparent"
    }
}
