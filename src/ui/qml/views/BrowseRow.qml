pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// One package of the browse list: icon, name, owner, description, counts, and "Add" or its place
// in the selected profile. Clicking the row opens the package's sheet. Rows of PackageListModel.
ItemDelegate {
    id: row
    required property AppState app
    required property int index
    // The roles of PackageListModel the row shows.
    required property var entry
    required property string displayName
    required property string owner
    required property string description
    required property string iconUrl
    required property string latest
    required property var downloads
    required property var rating
    required property var updated
    required property bool deprecated
    required property int packageState
    readonly property string place: PaneWording.placeText(packageState)

    objectName: "browseRow." + index
    leftPadding: Theme.rowInset
    rightPadding: Theme.rowInset
    topPadding: Theme.browseRowPadding
    bottomPadding: Theme.browseRowPadding
    focusPolicy: Qt.NoFocus  // the list keeps the keyboard focus
    Accessible.name: displayName
    onClicked: open()
    // The current row has the list's focus: Space clicks it, Return too.
    Keys.onReturnPressed: open()

    // Lit while the pointer is over the row or anything in it.
    HoverHandler { id: hover }

    function open() { row.app.window.open(WindowState.Package, row.entry) }

    background: Rectangle {
        color: hover.hovered ? Theme.surface2 : "transparent"
        RowDivider { visible: row.index > 0; anchors.top: parent.top }
    }

    // The list holds the keyboard focus; its current row shows it.
    FocusRing {
        anchors.margins: Theme.hairSpacing
        radius: Theme.smallRadius
        shown: row.ListView.isCurrentItem && !!row.ListView.view && row.ListView.view.activeFocus
        z: 1
    }

    // Declared here rather than in place: the ids inside would make it no longer deferred.
    contentItem: layout
    RowLayout {
        id: layout
        spacing: Theme.sectionSpacing

        ModIcon {
            Layout.alignment: Qt.AlignTop
            url: row.iconUrl
            title: row.displayName
            size: 46
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.preferredWidth: 0  // the room left beside the icon and controls, whatever the texts' length
            Layout.alignment: Qt.AlignTop
            spacing: Theme.xSmallSpacing
            // Name, owner and pill on one line; the name gives way first, then the owner.
            Item {
                Layout.fillWidth: true
                Layout.preferredWidth: 0
                implicitHeight: nameLine.height
                Row {
                    id: nameLine
                    width: parent.width
                    spacing: Theme.mediumSpacing
                    readonly property real pillRoom: deprecatedPill.visible ? deprecatedPill.width + spacing : 0
                    Text {
                        id: nameText
                        objectName: "browseRow.name"
                        anchors.baseline: ownerText.baseline
                        width: Math.min(implicitWidth, nameLine.width - ownerText.width - nameLine.spacing - nameLine.pillRoom)
                        text: row.displayName
                        color: Theme.text
                        font.pixelSize: Theme.titleFontSize
                        font.weight: Font.DemiBold
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                    Text {
                        id: ownerText
                        anchors.verticalCenter: parent.verticalCenter
                        width: Math.min(implicitWidth, nameLine.width * 0.35)
                        text: qsTr("by %1").arg(row.owner)
                        color: Theme.muted
                        font.pixelSize: Theme.smallFontSize
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                    Pill {
                        id: deprecatedPill
                        objectName: "browseRow.deprecated"
                        anchors.verticalCenter: parent.verticalCenter
                        visible: row.deprecated
                        text: qsTr("Deprecated")
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
                font.pixelSize: Theme.smallFontSize
                wrapMode: Text.Wrap
                maximumLineCount: 2
                elide: Text.ElideRight
            }
            Row {
                spacing: Theme.xxLargeSpacing
                CountLabel { symbol: "circle-arrow-down"; text: Fmt.count(row.downloads) }
                CountLabel { symbol: "thumb-up"; text: String(row.rating) }
                CountLabel { text: qsTr("v%1").arg(row.latest) }
                CountLabel { text: qsTr("updated %1").arg(Fmt.ago(row.updated)) }
            }
        }
        AppButton {
            objectName: "browseRow.add"
            Layout.alignment: Qt.AlignVCenter
            visible: row.place === ""
            kind: "subtle"
            text: qsTr("Add")
            iconName: "plus"
            enabled: row.app.selection.canChange
            onClicked: row.app.modController.add(row.entry)
        }
        Text {
            objectName: "browseRow.place"
            Layout.alignment: Qt.AlignVCenter
            visible: row.place !== ""
            text: row.place
            color: Theme.moss
            font.pixelSize: Theme.smallFontSize
            font.weight: Font.Medium
        }
    }
}
