import QtQuick
import QtQuick.Controls
import Quernhold

// A button that reads as a text link.
Button {
    id: link
    hoverEnabled: true
    focusPolicy: Qt.TabFocus
    padding: 0
    opacity: enabled ? 1 : 0.4
    font.pixelSize: Theme.smallFontSize
    contentItem: Text {
        text: link.text
        font: link.font
        color: link.down ? Theme.ember : Theme.emberHi
    }
    background: Item { FocusRing { control: link; radius: Theme.smallRadius } }
}
