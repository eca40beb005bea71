import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// One package of the browse list: icon, name, owner, description, counts, and "Add" or its place
// in the selected profile. Clicking the row opens the package's sheet. Rows of PackageListModel.
Rectangle {
    id: row
    required property AppState app
    required property int index
    // The row of PackageListModel (its role "state" would hide the item's own `state`).
    required property var model
    readonly property var entry: model.package
    required property string displayName
    required property string owner
    required property string description
    required property string icon
    required property string latest
    required property var downloads
    required property var rating
    required property var updated
    required property bool deprecated
    readonly property string place: PaneWording.placeText(model.state)

    objectName: "browseRow." + index
    implicitHeight: layout.implicitHeight + 22
    color: hover.hovered ? Theme.surface2 : "transparent"
    HoverHandler { id: hover }
    TapHandler { onTapped: row.open() }

    function open() { row.app.window.detailPackage = row.entry }

    // The list holds the keyboard focus; its current row shows it.
    FocusRing {
        anchors.margins: 1
        radius: 4
        shown: row.ListView.isCurrentItem && !!row.ListView.view && row.ListView.view.activeFocus
        z: 1
    }

    RowDivider { visible: row.index > 0; anchors.top: parent.top }

    RowLayout {
        id: layout
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        anchors.topMargin: 11
        anchors.bottomMargin: 11
        spacing: 14

        ModIcon {
            Layout.alignment: Qt.AlignTop
            url: row.icon
            title: row.displayName
            size: 46
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.preferredWidth: 0  // the room left beside the icon and controls, whatever the texts' length
            Layout.alignment: Qt.AlignTop
            spacing: 3
            // Name, owner and pill on one line; the name gives way first, then the owner.
            Item {
                Layout.fillWidth: true
                Layout.preferredWidth: 0
                implicitHeight: nameLine.height
                Row {
                    id: nameLine
                    width: parent.width
                    spacing: 6
                    readonly property real pillRoom: deprecatedPill.visible ? deprecatedPill.width + spacing : 0
                    Text {
                        id: nameText
                        objectName: "browseRow.name"
                        anchors.baseline: ownerText.baseline
                        width: Math.min(implicitWidth, nameLine.width - ownerText.width - nameLine.spacing - nameLine.pillRoom)
                        text: row.displayName
                        color: Theme.text
                        font.pixelSize: 14  // 13.5 in points
                        font.weight: Font.DemiBold
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                    Text {
                        id: ownerText
                        anchors.verticalCenter: parent.verticalCenter
                        width: Math.min(implicitWidth, nameLine.width * 0.35)
                        text: "by " + row.owner
                        color: Theme.muted
                        font.pixelSize: 12
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                    Pill {
                        id: deprecatedPill
                        objectName: "browseRow.deprecated"
                        anchors.verticalCenter: parent.verticalCenter
                        visible: row.deprecated
                        text: "Deprecated"
                        fg: Theme.blood
                        bg: Theme.alpha(Theme.blood, 0.14)
                    }
                }
            }
            Text {
                Layout.fillWidth: true
                Layout.preferredWidth: 0
                visible: text !== ""
                text: row.description
                textFormat: Text.PlainText
                color: Theme.muted
                font.pixelSize: 12
                wrapMode: Text.Wrap
                maximumLineCount: 2
                elide: Text.ElideRight
            }
            Row {
                spacing: 12
                CountLabel { symbol: "circle-arrow-down"; text: Fmt.count(row.downloads) }
                CountLabel { symbol: "thumb-up"; text: String(row.rating) }
                CountLabel { text: "v" + row.latest }
                CountLabel { text: "updated " + Fmt.ago(row.updated) }
            }
        }
        AppButton {
            objectName: "browseRow.add"
            Layout.alignment: Qt.AlignVCenter
            visible: row.place === ""
            kind: "subtle"
            text: "Add"
            iconName: "plus"
            enabled: row.app.activity.idle
            onClicked: row.app.add(row.entry)
        }
        Text {
            objectName: "browseRow.place"
            Layout.alignment: Qt.AlignVCenter
            visible: row.place !== ""
            text: row.place
            color: Theme.moss
            font.pixelSize: 12
            font.weight: Font.Medium
        }
    }

    // A count with its icon, in the faint caption type.
}
