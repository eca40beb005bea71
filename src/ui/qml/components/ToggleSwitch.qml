import QtQuick
import QtQuick.Controls
import Quernhold

// A small on/off switch: ember when on, without a visible label.
Switch {
    id: toggle
    property string tip
    hoverEnabled: true
    padding: 0
    ToolTip.visible: tip.length > 0 && hovered
    ToolTip.text: tip
    ToolTip.delay: Theme.toolTipDelay
    // The shared tooltip keeps the text it had when the pointer came: a switch turned while it
    // waits out its delay, or while the change runs with the switch disabled, tells it again.
    function retell() { if (hovered && enabled && tip.length > 0) ToolTip.show(tip) }
    onTipChanged: retell()
    onEnabledChanged: retell()
    indicator: Rectangle {
        implicitWidth: 30
        implicitHeight: 17
        radius: height / 2
        color: toggle.checked ? Theme.ember : Theme.line
        opacity: toggle.enabled ? 1 : 0.45
        FocusRing { control: toggle }
        Rectangle {
            x: toggle.checked ? parent.width - width - 2 : 2
            anchors.verticalCenter: parent.verticalCenter
            width: 13; height: 13; radius: width / 2
            color: toggle.checked ? Theme.playText : Theme.muted
        }
    }
}
