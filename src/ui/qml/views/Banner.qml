import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
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

    implicitHeight: row.implicitHeight + 20
    radius: 8
    color: Theme.alpha(tint, 0.13)
    border.width: 1
    border.color: Theme.alpha(tint, 0.4)

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        anchors.topMargin: 10
        anchors.bottomMargin: 10
        spacing: 10

        TextEdit {
            objectName: "banner.text"
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignTop
            readOnly: true
            selectByMouse: true
            wrapMode: TextEdit.Wrap
            textFormat: TextEdit.RichText
            text: "<b>" + banner.plain(banner.title) + "</b> " + banner.plain(banner.message)
            color: Theme.text
            selectionColor: Theme.alpha(Theme.ember, 0.45)
            font.pixelSize: 13  // 12.5 in points
        }
        LinkButton {
            objectName: "banner.action"
            Layout.alignment: Qt.AlignTop
            visible: banner.actionTitle !== ""
            text: banner.actionTitle
            onClicked: banner.action()
        }
        LinkButton {
            objectName: "banner.second"
            Layout.alignment: Qt.AlignTop
            visible: banner.secondTitle !== ""
            text: banner.secondTitle
            onClicked: banner.secondAction()
        }
        Button {
            objectName: "banner.close"
            Layout.alignment: Qt.AlignTop
            visible: banner.closable
            padding: 2
            focusPolicy: Qt.TabFocus
            Accessible.name: "Close"
            ToolTip.visible: hovered
            ToolTip.text: "Close"
            ToolTip.delay: 600
            onClicked: banner.close()
            contentItem: Icon { symbol: "x"; sourceSize: Qt.size(12, 12); color: Theme.muted }
            background: Item {}
        }
    }

    // Plain text inside the rich paragraph.
    function plain(text) {
        return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/\n/g, "<br>")
    }
}
