import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The frame of every sheet: modal over the window with the window dimmed, a title, then the
// sheet's content. Return calls `accept`; Escape closes the sheet, as Cancel does. A sheet opens
// itself when made, and its presenter drops it on closed().
Popup {
    id: sheet
    property string title
    property real sheetWidth: 440
    default property alias content: body.data
    signal accept()

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: sheetWidth
    modal: true
    dim: true
    focus: true
    padding: 22
    closePolicy: Popup.CloseOnEscape

    Overlay.modal: Rectangle { color: Qt.rgba(0, 0, 0, 0.5) }
    background: Rectangle {
        color: Theme.bg
        radius: 10
        border.width: 1
        border.color: Theme.line
    }

    contentItem: ColumnLayout {
        spacing: 14
        Keys.onReturnPressed: sheet.accept()
        Keys.onEnterPressed: sheet.accept()

        Text {
            objectName: "sheet.title"
            Layout.fillWidth: true
            text: sheet.title
            color: Theme.text
            font.pixelSize: 16
            font.weight: Font.DemiBold
            elide: Text.ElideMiddle  // a long name keeps the title's closing words
        }
        ColumnLayout {
            id: body
            Layout.fillWidth: true
            spacing: 14
        }
    }

    Component.onCompleted: open()
}
