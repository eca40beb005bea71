pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quernhold

// A pop-up menu without a visible label, 160 wide, on the dark theme; `label` names it for
// assistive technology.
ComboBox {
    id: combo
    required property string label
    Accessible.name: label
    implicitWidth: 160
    implicitHeight: Theme.controlHeight
    font.pixelSize: Theme.smallFontSize
    background: Rectangle {
        radius: Theme.comboRadius
        color: combo.hovered ? Theme.buttonHover : Theme.surface2
        border.width: 1
        border.color: Theme.btnBorder
        FocusRing { control: combo; radius: Theme.comboRadius + Theme.focusRingWidth }
    }
    contentItem: Text {
        leftPadding: Theme.xLargeSpacing
        rightPadding: Theme.largeSpacing + Theme.smallIconSize + Theme.smallSpacing  // room for the arrow
        text: combo.displayText
        font: combo.font
        color: Theme.text
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    indicator: Icon {
        x: combo.width - width - Theme.largeSpacing
        anchors.verticalCenter: parent.verticalCenter
        symbol: "chevron-down"
        size: Theme.smallIconSize
    }
    delegate: ItemDelegate {
        id: choice
        required property int index
        width: combo.width
        implicitHeight: Theme.compactControlHeight
        highlighted: combo.highlightedIndex === index
        text: combo.textAt(index)
        contentItem: Text {
            text: choice.text
            font.pixelSize: Theme.smallFontSize
            color: Theme.text
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            color: choice.highlighted ? Theme.alpha(Theme.ember, 0.22) : "transparent"
            radius: Theme.menuItemRadius
        }
    }
    popup.background: Rectangle {
        color: Theme.surface2
        radius: Theme.controlRadius
        border.width: 1
        border.color: Theme.btnBorder
    }
}
