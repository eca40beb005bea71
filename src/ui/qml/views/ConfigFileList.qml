pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The profile's config files by plugin name, with a filter; the open one is highlighted.
Rectangle {
    id: list
    required property ConfigEditor config

    radius: Theme.cardRadius
    color: Theme.surface
    border.width: 1
    border.color: Theme.line
    clip: true

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: Theme.hairSpacing
        spacing: 0

        AppTextField {
            objectName: "config.filter"
            Layout.fillWidth: true
            Layout.margins: Theme.xLargeSpacing
            implicitHeight: Theme.controlHeight
            font.pixelSize: Theme.smallFontSize
            placeholderText: qsTr("Filter files")
            text: list.config.files.filter
            onTextChanged: if (list.config.files.filter !== text) list.config.files.filter = text
        }
        RowDivider { Layout.fillWidth: true }
        ListView {
            id: files
            objectName: "config.fileList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            model: list.config.files
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}

            delegate: ItemDelegate {
                id: row
                required property string title
                required property string relative
                required property string path
                required property bool settings
                objectName: "config.file." + relative
                width: ListView.view.width
                readonly property bool current: row.path === list.config.current.path
                hoverEnabled: true
                topPadding: Theme.largeSpacing
                bottomPadding: Theme.largeSpacing
                leftPadding: Theme.rowInset
                rightPadding: Theme.rowInset
                Accessible.name: title
                onClicked: list.config.open(row.path)
                background: Rectangle {
                    color: row.current ? Theme.alpha(Theme.ember, 0.16) : row.hovered ? Theme.surface2 : "transparent"
                    Rectangle {
                        visible: row.current
                        width: 2; height: parent.height
                        color: Theme.ember
                    }
                }
                contentItem: ColumnLayout {
                    spacing: Theme.tinySpacing
                    Text {
                        Layout.fillWidth: true
                        text: row.title
                        textFormat: Text.PlainText
                        color: Theme.text
                        font.pixelSize: Theme.bodyFontSize
                        font.weight: row.current ? Font.DemiBold : Font.Normal
                        elide: Text.ElideRight
                    }
                    Text {
                        Layout.fillWidth: true
                        visible: row.title !== row.relative
                        text: row.relative
                        textFormat: Text.PlainText
                        color: Theme.faint
                        font.pixelSize: Theme.captionFontSize
                        elide: Text.ElideMiddle
                    }
                }
            }
        }
        Text {
            objectName: "config.noFiles"
            Layout.fillWidth: true
            Layout.margins: Theme.rowInset
            visible: list.config.files.count === 0 && list.config.files.total > 0
            text: qsTr("No files match “%1”.").arg(list.config.files.filter)
            textFormat: Text.PlainText
            color: Theme.muted
            font.pixelSize: Theme.smallFontSize
            wrapMode: Text.Wrap
        }
    }
}
