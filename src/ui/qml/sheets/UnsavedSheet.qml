import QtQuick
import QtQuick.Layouts
import Quernhold

// Asked before another file or profile opens over unsaved changes, before the sheet closes and
// before playing: save them, drop them, or stay.
SheetFrame {
    id: sheet
    required property ConfigEditor config
    objectName: "sheet.unsaved"
    title: qsTr("Save changes to “%1”?").arg(config.current.title)
    sheetWidth: 440

    onAccept: if (config.canSave) { config.saveAndSwitch(); sheet.close() }
    onClosed: if (config.prompt.asking) config.cancelSwitch()

    Text {
        objectName: "sheet.unsaved.message"
        Layout.fillWidth: true
        text: sheet.config.prompt.message
        textFormat: Text.PlainText
        color: Theme.muted
        font.pixelSize: Theme.smallFontSize
        wrapMode: Text.Wrap
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.largeSpacing
        AppButton {
            objectName: "sheet.unsaved.discard"
            text: qsTr("Don’t Save")
            destructive: true
            onClicked: { sheet.config.discardAndSwitch(); sheet.close() }
        }
        Item { Layout.fillWidth: true }
        AppButton {
            objectName: "sheet.unsaved.cancel"
            text: qsTr("Cancel")
            onClicked: sheet.close()
        }
        AppButton {
            objectName: "sheet.unsaved.save"
            text: qsTr("Save")
            isDefault: true
            enabled: sheet.config.canSave
            onClicked: sheet.accept()
        }
    }
}
