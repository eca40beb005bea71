import QtQuick
import QtQuick.Controls
import Quernhold

// A slider over a setting's range. Moving it reports the value as the setting's text: a whole
// number, or a number with as many decimals as a hundredth of the range needs.
Slider {
    id: slider
    property bool whole: false
    signal picked(string text)

    readonly property int decimals: whole ? 0 : Math.max(0, Math.ceil(-Math.log10((to - from) / 100)))
    stepSize: whole ? 1 : Math.pow(10, -decimals)
    snapMode: Slider.SnapAlways
    padding: 0
    implicitHeight: 20
    onMoved: picked(String(Number(value.toFixed(decimals))))

    background: Rectangle {
        x: slider.leftPadding
        y: slider.topPadding + slider.availableHeight / 2 - height / 2
        width: slider.availableWidth
        height: 4
        radius: height / 2
        color: Theme.line
        Rectangle {
            width: slider.visualPosition * parent.width
            height: parent.height
            radius: height / 2
            color: Theme.ember
        }
    }
    handle: Rectangle {
        x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
        y: slider.topPadding + slider.availableHeight / 2 - height / 2
        width: 14; height: 14; radius: width / 2
        color: slider.pressed ? Theme.emberHi : Theme.text
        border.width: 1
        border.color: Theme.btnBorder
    }
}
