import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// A config file that is not one of the loader's settings files, as plain monospaced text.
ColumnLayout {
    id: view
    required property ConfigEditor config
    spacing: Theme.largeSpacing

    ConfigFileHeading { config: view.config }

    Rectangle {
        Layout.fillWidth: true
        Layout.fillHeight: true
        radius: Theme.cardRadius
        color: Theme.logBackground
        border.width: 1
        border.color: editor.activeFocus ? Theme.alpha(Theme.ember, 0.6) : Theme.line

        ScrollView {
            id: scroller
            anchors.fill: parent
            anchors.margins: Theme.xxLargeSpacing
            clip: true
            TextArea {
                id: editor
                objectName: "config.textArea"
                text: view.config.text
                onTextChanged: if (text !== view.config.text) view.config.text = text
                font.family: Theme.monoFamily
                font.pixelSize: Theme.smallFontSize
                color: Theme.logText
                selectionColor: Theme.alpha(Theme.ember, 0.45)
                selectedTextColor: Theme.text
                selectByMouse: true
                wrapMode: TextEdit.NoWrap
                padding: 0
                background: Item {}
            }
        }
    }
}
