pragma ComponentBehavior: Bound
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
    property string thirdTitle  // and a third
    property bool closable: false
    // Lines under the paragraph, each {text, action}: a likely cause and what mends it.
    property var causes: []
    property bool causesEnabled: true
    signal action()
    signal secondAction()
    signal thirdAction()
    signal close()
    signal causeAction(int index)

    // The paragraph's height at the width it is given, not a layout's guess: a hidden banner
    // measures nothing and a shown one exactly its lines.
    implicitHeight: Math.max(paragraph.contentHeight + (causeList.visible ? Theme.mediumSpacing + causeList.implicitHeight : 0),
                             actions.implicitHeight) + 2 * Theme.xLargeSpacing
    radius: Theme.controlRadius
    color: Theme.alpha(tint, 0.13)
    border.width: 1
    border.color: Theme.alpha(tint, 0.4)

    TextEdit {
        id: paragraph
        objectName: "banner.text"
        x: Theme.xxLargeSpacing
        y: Theme.xLargeSpacing
        width: Math.max(0, banner.width - 2 * Theme.xxLargeSpacing - (actions.implicitWidth > 0 ? actions.implicitWidth + Theme.xLargeSpacing : 0))
        readOnly: true
        selectByMouse: true
        wrapMode: TextEdit.Wrap
        textFormat: TextEdit.RichText
        text: "<b>" + banner.plain(banner.title) + "</b> " + banner.plain(banner.message)
        color: Theme.text
        selectionColor: Theme.alpha(Theme.ember, 0.45)
        font.pixelSize: Theme.bodyFontSize  // 12.5 in points
    }
    Column {
        id: causeList
        x: paragraph.x
        y: paragraph.y + paragraph.contentHeight + Theme.mediumSpacing
        width: paragraph.width
        visible: banner.causes.length > 0
        spacing: Theme.smallSpacing
        Repeater {
            model: banner.causes
            delegate: Item {
                id: cause
                required property var modelData
                required property int index
                width: causeList.width
                implicitHeight: Math.max(causeText.implicitHeight, causeLink.implicitHeight)
                Text {
                    id: causeText
                    width: parent.width - causeLink.width - Theme.xLargeSpacing
                    anchors.verticalCenter: parent.verticalCenter
                    text: "•  " + cause.modelData.text
                    color: Theme.text
                    font.pixelSize: Theme.smallFontSize
                    wrapMode: Text.Wrap
                }
                LinkButton {
                    id: causeLink
                    objectName: "banner.cause." + cause.index
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    enabled: banner.causesEnabled
                    text: cause.modelData.action
                    onClicked: banner.causeAction(cause.index)
                }
            }
        }
    }
    Row {
        id: actions
        x: banner.width - Theme.xxLargeSpacing - width
        y: Theme.xLargeSpacing
        spacing: Theme.xLargeSpacing
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
        LinkButton {
            objectName: "banner.third"
            visible: banner.thirdTitle !== ""
            text: banner.thirdTitle
            onClicked: banner.thirdAction()
        }
        Button {
            id: closeButton
            objectName: "banner.close"
            visible: banner.closable
            padding: Theme.tinySpacing
            focusPolicy: Qt.TabFocus
            Accessible.name: qsTr("Close")
            ToolTip.visible: hovered
            ToolTip.text: qsTr("Close")
            ToolTip.delay: Theme.toolTipDelay
            onClicked: banner.close()
            contentItem: Icon { symbol: "x"; size: Theme.smallIconSize; color: Theme.muted }
            background: Item { FocusRing { control: closeButton; radius: Theme.smallRadius } }
        }
    }

    // Plain text inside the rich paragraph.
    function plain(text) {
        return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/\n/g, "<br>")
    }
}
