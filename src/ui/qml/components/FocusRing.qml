import QtQuick
import QtQuick.Templates as T
import Quernhold

// The keyboard focus ring: a 2-wide ember outline just outside its parent while `shown`, by
// default while `control` has focus from the keyboard.
Rectangle {
    property T.Control control
    property bool shown: !!control && control.visualFocus
    objectName: "focusRing"
    anchors.fill: parent
    anchors.margins: -Theme.focusRingWidth
    radius: Theme.controlRadius + Theme.focusRingWidth  // around a button
    color: "transparent"
    border.width: Theme.focusRingWidth
    border.color: Theme.alpha(Theme.ember, 0.6)
    visible: shown
}
