import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The settings a search found in every settings file; choosing one opens its file at it.
ColumnLayout {
    id: view
    required property ConfigEditor config
    spacing: 8

    Text {
        objectName: "config.matchCount"
        text: view.config.search.searching ? "Searching…"
            : view.config.search.matches.count === 1 ? "1 setting" : view.config.search.matches.count + " settings"
        color: Theme.faint
        font.pixelSize: 11
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
            radius: 10
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
            leftPadding: 14
            rightPadding: 14
            topPadding: 10
            bottomPadding: 10
            onClicked: view.config.openMatch(index)
            background: Rectangle {
                color: match.hovered ? Theme.surface2 : "transparent"
                RowDivider { visible: match.index > 0 }
            }
            contentItem: ColumnLayout {
                spacing: 3
                RowLayout {
                    spacing: 8
                    Text {
                        text: match.key
                        textFormat: Text.PlainText
                        color: Theme.text
                        font.pixelSize: 13
                        font.weight: Font.DemiBold
                    }
                    Text {
                        Layout.fillWidth: true
                        text: match.title + (match.section !== "" ? " › " + match.section : "")
                        textFormat: Text.PlainText
                        color: Theme.faint
                        font.pixelSize: 11
                        elide: Text.ElideRight
                    }
                    Text {
                        Layout.maximumWidth: 200
                        text: match.value
                        textFormat: Text.PlainText
                        color: Theme.muted
                        font.family: Theme.monoFamily
                        font.pixelSize: 12
                        elide: Text.ElideRight
                    }
                }
                Text {
                    Layout.fillWidth: true
                    visible: match.description !== ""
                    text: match.description
                    textFormat: Text.PlainText
                    color: Theme.muted
                    font.pixelSize: 12
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
        text: "No settings match “" + view.config.search.query.trim() + "”."
        textFormat: Text.PlainText
        color: Theme.muted
        font.pixelSize: 13
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideMiddle
    }
}
