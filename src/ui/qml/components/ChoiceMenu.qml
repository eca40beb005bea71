import QtQuick
import QtQuick.Controls
import Quernhold

// A pop-up menu without a visible label, 160 wide, on the dark theme.
ComboBox {
    id: combo
    implicitWidth: 160
    implicitHeight: 28
    font.pixelSize: 12
    background: Rectangle {
        radius: 7
        color: combo.hovered ? Theme.buttonHover : Theme.surface2
        border.width: 1
        border.color: Theme.btnBorder
        FocusRing { control: combo; radius: 9 }
    }
    contentItem: Text {
        leftPadding: 10
        rightPadding: 24
        text: combo.displayText
        font: combo.font
        color: Theme.text
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    indicator: Icon {
        x: combo.width - width - 8
        anchors.verticalCenter: parent.verticalCenter
        symbol: "chevron-down"
        sourceSize: Qt.size(12, 12)
    }
    delegate: ItemDelegate {
        required property int index
        required property var modelData
        width: combo.width
        implicitHeight: 26
        highlighted: combo.highlightedIndex === index
        contentItem: Text {
            text: modelData
            font.pixelSize: 12
            color: Theme.text
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle { color: highlighted ? Theme.alpha(Theme.ember, 0.22) : "transparent"; radius: 5 }
    }
    popup.background: Rectangle { color: Theme.surface2; radius: 8; border.width: 1; border.color: Theme.btnBorder }
}
