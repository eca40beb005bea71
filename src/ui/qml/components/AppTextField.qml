import QtQuick
import QtQuick.Controls
import Quernhold

// A rounded text field on the dark theme.
TextField {
    id: field
    implicitHeight: Theme.fieldHeight
    leftPadding: Theme.fieldPadding
    rightPadding: Theme.fieldPadding
    font.pixelSize: Theme.bodyFontSize
    color: Theme.text
    placeholderTextColor: Theme.faint
    selectionColor: Theme.alpha(Theme.ember, 0.45)
    selectedTextColor: Theme.text
    selectByMouse: true
    background: Rectangle {
        radius: Theme.mediumRadius
        color: Theme.surface
        border.width: 1
        border.color: field.activeFocus ? Theme.ember : Theme.btnBorder
    }
}
