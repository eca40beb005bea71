import QtQuick
import QtQuick.Layouts
import Quernhold

// The selected profile's settings, in a sheet nearly as large as the window. Closing it keeps
// unsaved edits: they wait in the editor, and a change of file or profile still asks about them.
SheetFrame {
    id: sheet
    objectName: "sheet.config"
    title: "Config Files for “" + (app.selected ? app.selected.name : "") + "”"
    sheetWidth: parent ? parent.width - 64 : 960

    onAccept: {}  // Return belongs to the fields inside

    ConfigView {
        objectName: "config"
        Layout.fillWidth: true
        Layout.preferredHeight: sheet.parent ? sheet.parent.height - 200 : 520
        app: sheet.app
        inset: 0
    }
    RowLayout {
        Layout.fillWidth: true
        Item { Layout.fillWidth: true }
        AppButton {
            objectName: "sheet.config.done"
            text: "Done"
            onClicked: sheet.close()
        }
    }
}
