import QtQuick
import QtQuick.Layouts
import Quernhold

// A confirmation before something that cannot be undone: a message, Cancel and one action, drawn as
// destructive unless it is not. Return takes the safe answer of a destructive one: Cancel.
SheetFrame {
    id: dialog
    property string message
    property string actionText
    property string name: "confirm"
    property bool destructive: true
    signal confirmed()

    sheetWidth: 400
    onAccept: {
        if (!dialog.destructive)
            dialog.confirmed()
        dialog.close()
    }

    Text {
        Layout.fillWidth: true
        text: dialog.message
        color: Theme.muted
        font.pixelSize: Theme.smallFontSize
        wrapMode: Text.Wrap
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.largeSpacing
        Item { Layout.fillWidth: true }
        AppButton {
            objectName: dialog.name + ".cancel"
            text: qsTr("Cancel")
            isDefault: dialog.destructive
            onClicked: dialog.close()
        }
        AppButton {
            objectName: dialog.name + ".confirm"
            text: dialog.actionText
            isDefault: !dialog.destructive
            contentItem: Text {
                text: dialog.actionText
                font.pixelSize: Theme.bodyFontSize
                font.weight: Font.Medium
                color: dialog.destructive ? Theme.blood : Theme.text
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
            onClicked: {
                dialog.confirmed()
                dialog.close()
            }
        }
    }
}
