import QtQuick
import QtQuick.Controls
import Quernhold

// A tinted notice: bold title and message as one wrapping, selectable paragraph; an optional
// action link (or two, for a choice) and close button.
Rectangle {
    id: banner
    property color tint: Theme.ember
    property string title
    property string message
    property string actionTitle
    property string secondTitle  // a second action after the first, for a choice
    property bool closable: false
    signal action()
    signal secondAction()
    signal close()

    // The paragraph's height at the width it is given, not a layout's guess: a hidden banner
    // measures nothing and a shown one exactly its lines.
    implicitHeight: Math.max(paragraph.contentHeight, actions.implicitHeight) + 20
    radius: 8
    color: Theme.alpha(tint, 0.13)
    border.width: 1
    border.color: Theme.alpha(tint, 0.4)

    TextEdit {
        id: paragraph
        objectName: "banner.text"
        x: 12
        y: 10
        width: Math.max(0, banner.width - 24 - (actions.implicitWidth > 0 ? actions.implicitWidth + 10 : 0))
        readOnly: true
        selectByMouse: true
        wrapMode: TextEdit.Wrap
        textFormat: TextEdit.RichText
        text: "<b>" + banner.plain(banner.title) + "</b> " + banner.plain(banner.message)
        color: Theme.text
        selectionColor: Theme.alpha(Theme.ember, 0.45)
        font.pixelSize: 13  // 12.5 in points
    }
    Row {
        id: actions
        x: banner.width - 12 - width
        y: 10
        spacing: 10
        LinkButton {
            objectName: "banner.action"
            visible: banner.actionTitle !== ""
            text: banner.actionTitle
            onClicked: banner.action()
        }
        LinkButton {
            objectName: "banner.second"
            visible: banner.secondTitle !== ""
            text: banner.secondTitle
            onClicked: banner.secondAction()
        }
        Button {
            id: closeButton
            objectName: "banner.close"
            visible: banner.closable
            padding: 2
            focusPolicy: Qt.TabFocus
            Accessible.name: "Close"
            ToolTip.visible: hovered
            ToolTip.text: "Close"
            ToolTip.delay: 600
            onClicked: banner.close()
            contentItem: Icon { symbol: "x"; sourceSize: Qt.size(12, 12); color: Theme.muted }
            background: Item { FocusRing { control: closeButton; radius: 4 } }
        }
    }

    // Plain text inside the rich paragraph.
    function plain(text) {
        return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/\n/g, "<br>")
    }
}
