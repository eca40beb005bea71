import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The selected profile's settings, in a sheet nearly as large as the window. Done and Escape ask
// about unsaved edits before it closes.
SheetFrame {
    id: sheet
    objectName: "sheet.config"
    title: qsTr("Config Files for “%1”").arg(app.selection.profile ? app.selection.profile.name : "")
    sheetWidth: parent ? parent.width - 64 : 960
    closePolicy: Popup.NoAutoClose  // Escape asks the state, as Done does

    onAccept: {}  // Return belongs to the fields inside

    Shortcut {
        // Qt 6.4's qmllint does not know StandardKey.
        sequences: [StandardKey.Cancel] // qmllint disable unqualified
        onActivated: sheet.app.closeConfig()
    }

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
            text: qsTr("Done")
            onClicked: sheet.app.closeConfig()
        }
    }
}
