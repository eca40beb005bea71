pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The settings a search found in every settings file; choosing one opens its file at it.
ColumnLayout {
    id: view
    required property ConfigEditor config
    spacing: Theme.largeSpacing

    Text {
        objectName: "config.matchCount"
        text: view.config.search.searching ? qsTr("Searching…")
            : qsTr("%n settings", "", view.config.search.matches.count)
        color: Theme.faint
        font.pixelSize: Theme.captionFontSize
    }

    ListView {
        id: list
        objectName: "config.matchList"
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: count > 0
        clip: true
        model: view.config.search.matches
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        Rectangle {
            parent: list.contentItem
            z: -1
            y: list.originY
            width: list.width
            height: list.contentHeight
            radius: Theme.cardRadius
            color: Theme.surface
            border.width: 1
            border.color: Theme.line
        }

        delegate: ItemDelegate {
            id: match
            required property int index
            required property string title
            required property string section
            required property string key
            required property string value
            required property string description
            objectName: "config.match." + index
            width: ListView.view.width
            hoverEnabled: true
            Accessible.name: key
            leftPadding: Theme.rowInset
            rightPadding: Theme.rowInset
            topPadding: Theme.xLargeSpacing
            bottomPadding: Theme.xLargeSpacing
            onClicked: view.config.openMatch(index)
            background: Rectangle {
                color: match.hovered ? Theme.surface2 : "transparent"
                RowDivider { visible: match.index > 0 }
            }
            contentItem: ColumnLayout {
                spacing: Theme.xSmallSpacing
                RowLayout {
                    spacing: Theme.largeSpacing
                    Text {
                        text: match.key
                        textFormat: Text.PlainText
                        color: Theme.text
                        font.pixelSize: Theme.bodyFontSize
                        font.weight: Font.DemiBold
                    }
                    Text {
                        Layout.fillWidth: true
                        text: match.title + (match.section !== "" ? " › " + match.section : "")
                        textFormat: Text.PlainText
                        color: Theme.faint
                        font.pixelSize: Theme.captionFontSize
                        elide: Text.ElideRight
                    }
                    Text {
                        Layout.maximumWidth: 200
                        text: match.value
                        textFormat: Text.PlainText
                        color: Theme.muted
                        font.family: Theme.monoFamily
                        font.pixelSize: Theme.smallFontSize
                        elide: Text.ElideRight
                    }
                }
                Text {
                    Layout.fillWidth: true
                    visible: match.description !== ""
                    text: match.description
                    textFormat: Text.PlainText
                    color: Theme.muted
                    font.pixelSize: Theme.smallFontSize
                    elide: Text.ElideRight
                    maximumLineCount: 2
                    wrapMode: Text.Wrap
                }
            }
        }
    }
    Text {
        objectName: "config.noMatch"
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: !view.config.search.searching && view.config.search.matches.count === 0
        text: qsTr("No settings match “%1”.").arg(view.config.search.query.trim())
        textFormat: Text.PlainText
        color: Theme.muted
        font.pixelSize: Theme.bodyFontSize
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideMiddle
    }
}
