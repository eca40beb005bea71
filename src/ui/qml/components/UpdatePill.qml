import QtQuick
import QtQuick.Controls
import Quernhold

// The "Update" status pill as a button: it updates its mod (pointer, keyboard focus, tooltip).
AbstractButton {
    id: button
    property string tip

    padding: 0
    hoverEnabled: true
    focusPolicy: Qt.StrongFocus
    Accessible.role: Accessible.Button
    Accessible.name: tip
    ToolTip.visible: hovered || visualFocus
    ToolTip.text: tip
    ToolTip.delay: Theme.toolTipDelay
    opacity: enabled ? 1 : 0.45

    contentItem: StatusPill { status: ModStatus.UpdateAvailable; opacity: button.down ? 0.8 : 1 }
    background: Rectangle {
        // The keyboard focus ring.
        anchors.fill: parent
        anchors.margins: -Theme.focusRingWidth
        radius: height / 2
        color: button.hovered ? Theme.alpha(Theme.ember, 0.12) : "transparent"
        border.width: Theme.focusRingWidth
        border.color: button.visualFocus ? Theme.alpha(Theme.ember, 0.6) : "transparent"
    }
    HoverHandler { cursorShape: Qt.PointingHandCursor }
}
