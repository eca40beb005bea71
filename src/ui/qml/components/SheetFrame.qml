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
    // The window state's sheet this is (WindowState.Sheet); closing closes that one in the state.
    property int kind: WindowState.None
    signal accept()

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: sheetWidth
    modal: true
    dim: true
    focus: true
    padding: Theme.sheetPadding
    closePolicy: Popup.CloseOnEscape

    Overlay.modal: Rectangle { color: Qt.rgba(0, 0, 0, 0.5) }
    background: Rectangle {
        color: Theme.bg
        radius: Theme.cardRadius
        border.width: 1
        border.color: Theme.line
    }

    // A focus scope, so that the keys reach the sheet when none of its controls has the focus. Its
    // ids make it no longer deferred; a pop-up puts any item declared in it inside its content.
    contentItem: FocusScope { // qmllint disable deferred-property-id
        focus: true
        implicitWidth: column.implicitWidth
        implicitHeight: column.implicitHeight
        Keys.onReturnPressed: sheet.accept()
        Keys.onEnterPressed: sheet.accept()

        ColumnLayout {
            id: column
            width: parent.width
            spacing: Theme.sectionSpacing

            Text {
                objectName: "sheet.title"
                Layout.fillWidth: true
                text: sheet.title
                color: Theme.text
                font.pixelSize: Theme.sheetTitleFontSize
                font.weight: Font.DemiBold
                elide: Text.ElideMiddle  // a long name keeps the title's closing words
            }
            Rectangle {
                objectName: "sheet.error"
                Layout.fillWidth: true
                visible: !!sheet.app && sheet.app.activity.errorMessage !== ""
                implicitHeight: Math.max(errorText.implicitHeight, closeError.implicitHeight) + 2 * Theme.largeSpacing
                radius: Theme.controlRadius
                color: Theme.alpha(Theme.blood, 0.13)
                border.width: 1
                border.color: Theme.alpha(Theme.blood, 0.4)
                Text {
                    id: errorText
                    objectName: "sheet.error.text"
                    x: Theme.xLargeSpacing
                    y: Theme.largeSpacing
                    width: parent.width - 2 * Theme.xLargeSpacing - closeError.width - Theme.largeSpacing
                    text: sheet.app ? sheet.app.activity.errorMessage : ""
                    textFormat: Text.PlainText
                    color: Theme.text
                    font.pixelSize: Theme.smallFontSize
                    wrapMode: Text.Wrap
                }
                Button {
                    id: closeError
                    objectName: "sheet.error.close"
                    x: parent.width - width - Theme.largeSpacing
                    y: Theme.largeSpacing
                    padding: Theme.tinySpacing
                    focusPolicy: Qt.TabFocus
                    Accessible.name: qsTr("Close")
                    onClicked: sheet.app.activity.errorMessage = ""
                    contentItem: Icon { symbol: "x"; size: Theme.smallIconSize; color: Theme.muted }
                    background: FocusRing { control: closeError; radius: Theme.smallRadius }
                }
            }
            ColumnLayout {
                id: body
                Layout.fillWidth: true
                spacing: Theme.sectionSpacing
            }
        }
    }

    onClosed: if (sheet.app && sheet.kind !== WindowState.None) sheet.app.window.close(sheet.kind)
    Component.onCompleted: open()
}
