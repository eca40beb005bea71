import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// A search box: magnifier, borderless field and, while there is text, a clear button. `edited`
// reports each change the user makes; `text` follows the model it searches.
Rectangle {
    id: box
    property string placeholder
    property string text
    property string fieldName
    property string clearName
    // ⌘F puts the cursor here while the field is shown and nothing covers it.
    property bool findEnabled: true
    signal edited(string text)

    Shortcut {
        // Qt 6.4's qmllint does not know StandardKey.
        sequences: [StandardKey.Find] // qmllint disable unqualified
        enabled: box.findEnabled && box.visible
        onActivated: {
            field.forceActiveFocus(Qt.ShortcutFocusReason)
            field.selectAll()
        }
    }

    implicitHeight: Theme.fieldHeight
    radius: Theme.controlRadius
    color: Theme.surface
    border.width: 1
    border.color: field.activeFocus ? Theme.alpha(Theme.ember, 0.6) : Theme.line

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: Theme.xLargeSpacing
        anchors.rightMargin: Theme.xLargeSpacing
        spacing: Theme.mediumSpacing
        Icon { symbol: "search"; size: Theme.mediumIconSize }
        TextField {
            id: field
            objectName: box.fieldName
            Layout.fillWidth: true
            placeholderText: box.placeholder
            placeholderTextColor: Theme.faint
            text: box.text
            onTextChanged: if (box.text !== text) box.edited(text)
            color: Theme.text
            selectionColor: Theme.alpha(Theme.ember, 0.45)
            selectByMouse: true
            font.pixelSize: Theme.bodyFontSize
            padding: 0
            background: Item {}
        }
        Button {
            objectName: box.clearName
            visible: field.text !== ""
            padding: 0
            focusPolicy: Qt.NoFocus
            Accessible.name: qsTr("Clear")
            onClicked: field.text = ""
            contentItem: Icon { symbol: "circle-x-filled"; size: Theme.mediumIconSize; color: Theme.faint }
            background: Item {}
        }
    }
}
