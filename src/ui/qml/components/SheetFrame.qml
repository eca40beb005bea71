import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The frame of every sheet: modal over the window with the window dimmed, a title, then the
// sheet's content. Return calls `accept` wherever the focus is inside; Escape closes the sheet, as
// Cancel does. A sheet opens itself when made, and its presenter drops it on closed(). A sheet
// given the `app` shows the app's error message inside itself, where the player looks, since the
// pane's banner is behind it.
Popup {
    id: sheet
    property AppState app: null
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

    // A focus scope, so that the keys reach the sheet when none of its controls has the focus.
    contentItem: FocusScope {
        focus: true
        implicitWidth: column.implicitWidth
        implicitHeight: column.implicitHeight
        Keys.onReturnPressed: sheet.accept()
        Keys.onEnterPressed: sheet.accept()

        ColumnLayout {
            id: column
            width: parent.width
            spacing: 14

            Text {
                objectName: "sheet.title"
                Layout.fillWidth: true
                text: sheet.title
                color: Theme.text
                font.pixelSize: 16
                font.weight: Font.DemiBold
                elide: Text.ElideMiddle  // a long name keeps the title's closing words
            }
            Rectangle {
                objectName: "sheet.error"
                Layout.fillWidth: true
                visible: !!sheet.app && sheet.app.activity.errorMessage !== ""
                implicitHeight: Math.max(errorText.implicitHeight, closeError.implicitHeight) + 16
                radius: 8
                color: Theme.alpha(Theme.blood, 0.13)
                border.width: 1
                border.color: Theme.alpha(Theme.blood, 0.4)
                Text {
                    id: errorText
                    objectName: "sheet.error.text"
                    x: 10
                    y: 8
                    width: parent.width - 20 - closeError.width - 8
                    text: sheet.app ? sheet.app.activity.errorMessage : ""
                    textFormat: Text.PlainText
                    color: Theme.text
                    font.pixelSize: 12
                    wrapMode: Text.Wrap
                }
                Button {
                    id: closeError
                    objectName: "sheet.error.close"
                    x: parent.width - width - 8
                    y: 8
                    padding: 2
                    focusPolicy: Qt.TabFocus
                    Accessible.name: "Close"
                    onClicked: sheet.app.activity.errorMessage = ""
                    contentItem: Icon { symbol: "x"; sourceSize: Qt.size(12, 12); color: Theme.muted }
                    background: FocusRing { control: closeError; radius: 4 }
                }
            }
            ColumnLayout {
                id: body
                Layout.fillWidth: true
                spacing: 14
            }
        }
    }

    Component.onCompleted: open()
}
