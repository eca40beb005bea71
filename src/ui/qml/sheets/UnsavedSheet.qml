import QtQuick
import QtQuick.Layouts
import Quernhold

// Asked before another file or profile opens over unsaved changes: save them, drop them, or stay.
SheetFrame {
    id: sheet
    required property ConfigEditor config
    readonly property string target: (config.leaving ? "the profile “" : "“") + config.pendingTitle + "”"
    objectName: "sheet.unsaved"
    title: "Save changes to “" + config.currentTitle + "”?"
    sheetWidth: 440

    onAccept: if (config.canSave) { config.saveAndSwitch(); sheet.close() }
    onClosed: if (config.pendingTitle !== "") config.cancelSwitch()

    Text {
        objectName: "sheet.unsaved.message"
        Layout.fillWidth: true
        text: sheet.config.gameRunning
            ? "Valheim is running, so they can’t be saved now. " + (sheet.config.leaving ? "Switch to " : "Open ")
                + sheet.target + " without them, or stay here."
            : "If you " + (sheet.config.leaving ? "switch to " : "open ") + sheet.target
                + " without saving, your changes are lost."
        textFormat: Text.PlainText
        color: Theme.muted
        font.pixelSize: 12
        wrapMode: Text.Wrap
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        AppButton {
            objectName: "sheet.unsaved.discard"
            text: "Don’t Save"
            destructive: true
            onClicked: { sheet.config.discardAndSwitch(); sheet.close() }
        }
        Item { Layout.fillWidth: true }
        AppButton {
            objectName: "sheet.unsaved.cancel"
            text: "Cancel"
            onClicked: sheet.close()
        }
        AppButton {
            objectName: "sheet.unsaved.save"
            text: "Save"
            isDefault: true
            enabled: sheet.config.canSave
            onClicked: sheet.accept()
        }
    }
}
