pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The updates of the selected profile before any of them happens: each ticked to go ahead or held
// where it is, with what its changelog says since the installed version, the packages they bring,
// and a button that says what confirming does.
SheetFrame {
    id: sheet
    required property UpdateReview review
    objectName: "sheet.updateReview"
    title: sheet.review.count === 1 ? qsTr("Review Update") : qsTr("Review Updates")
    sheetWidth: 620

    onAccept: if (sheet.review.canConfirm && sheet.app.selection.canChange) sheet.review.confirm()

    ListView {
        id: list
        objectName: "sheet.updateReview.list"
        Layout.fillWidth: true
        Layout.preferredHeight: Math.min(contentHeight, Math.max(160, sheet.parent ? sheet.parent.height - 300 : 420))
        clip: true
        spacing: Theme.tinySpacing
        model: sheet.review
        // Rows out of sight are not made, so their changelogs wait until they scroll in.
        cacheBuffer: 0
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        delegate: Rectangle {
            id: row
            required property int index
            required property string name
            required property string installed
            required property string latest
            required property var released
            required property string size
            required property bool ticked
            required property bool held
            required property bool changelogLoading
            required property string changelog
            required property bool changelogCut
            required property string wholeChangelog
            property bool expanded: false
            property bool showAll: false

            objectName: "sheet.updateReview.row." + index
            width: ListView.view.width
            implicitHeight: rowColumn.implicitHeight + 2 * Theme.largeSpacing
            radius: Theme.mediumRadius
            color: row.expanded ? Theme.surface : "transparent"
            border.width: row.expanded ? 1 : 0
            border.color: Theme.line

            Component.onCompleted: sheet.review.loadChangelog(index)

            ColumnLayout {
                id: rowColumn
                x: Theme.largeSpacing
                y: Theme.largeSpacing
                width: parent.width - 2 * Theme.largeSpacing
                spacing: Theme.mediumSpacing

                RowLayout {
                    Layout.fillWidth: true
                    spacing: Theme.largeSpacing
                    Button {
                        id: expander
                        objectName: "sheet.updateReview.expand." + row.index
                        padding: 0
                        implicitWidth: Theme.mediumIconSize
                        implicitHeight: Theme.mediumIconSize
                        focusPolicy: Qt.TabFocus
                        Accessible.name: row.expanded ? qsTr("Hide Changelog") : qsTr("Show Changelog")
                        onClicked: row.expanded = !row.expanded
                        contentItem: Icon {
                            symbol: "chevron-down"
                            rotation: row.expanded ? 0 : -90
                            size: Theme.mediumIconSize
                            color: Theme.muted
                        }
                        background: FocusRing { control: expander; radius: Theme.smallRadius }
                    }
                    CheckBox {
                        id: tick
                        objectName: "sheet.updateReview.tick." + row.index
                        // The model holds the tick: a click asks it, and the box follows.
                        checkable: false
                        checked: row.ticked && !row.held
                        enabled: !row.held
                        padding: 0
                        implicitWidth: 14
                        implicitHeight: 14
                        focusPolicy: Qt.TabFocus
                        Accessible.name: row.name
                        onClicked: sheet.review.setTicked(row.index, !row.ticked)
                        indicator: Rectangle {
                            implicitWidth: 14; implicitHeight: 14
                            anchors.verticalCenter: parent.verticalCenter
                            radius: Theme.checkRadius
                            opacity: tick.enabled ? 1 : 0.4
                            color: tick.checked ? Theme.ember : Theme.surface2
                            border.width: 1
                            border.color: tick.checked ? Theme.ember : Theme.btnBorder
                            FocusRing { control: tick; radius: Theme.checkRadius + Theme.focusRingWidth }
                            Text {
                                anchors.centerIn: parent
                                visible: tick.checked
                                text: "✓"
                                color: Theme.playText
                                font.pixelSize: Theme.captionFontSize
                                font.bold: true
                            }
                        }
                        contentItem: Item {}
                    }
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 0
                        Text {
                            Layout.fillWidth: true
                            text: row.name
                            color: row.held ? Theme.muted : Theme.text
                            font.pixelSize: Theme.bodyFontSize
                            font.weight: Font.DemiBold
                            elide: Text.ElideRight
                        }
                        Text {
                            objectName: "sheet.updateReview.versions." + row.index
                            Layout.fillWidth: true
                            text: row.held ? qsTr("Held at %1").arg(row.installed)
                                  : [qsTr("%1 → %2").arg(row.installed).arg(row.latest),
                                     Fmt.ago(row.released), row.size].filter(t => t !== "").join(" · ") // qmllint disable type
                            color: Theme.muted
                            font.pixelSize: Theme.smallFontSize
                            elide: Text.ElideRight
                        }
                    }
                    AppButton {
                        objectName: "sheet.updateReview.hold." + row.index
                        kind: "subtle"
                        text: row.held ? qsTr("Don’t Hold") : qsTr("Hold")
                        onClicked: sheet.review.setHeld(row.index, !row.held)
                    }
                }

                // The changelog, newer sections only until "Show All".
                Spinner {
                    objectName: "sheet.updateReview.loading." + row.index
                    visible: row.expanded && row.changelogLoading
                }
                Text {
                    objectName: "sheet.updateReview.noChangelog." + row.index
                    visible: row.expanded && !row.changelogLoading && row.changelog.trim() === ""
                    text: qsTr("No changelog.")
                    color: Theme.muted
                    font.pixelSize: Theme.smallFontSize
                }
                Text {
                    id: changes
                    objectName: "sheet.updateReview.changelog." + row.index
                    Layout.fillWidth: true
                    visible: row.expanded && text !== ""
                    // Laid out only when shown: a hundred rows of Markdown would slow the sheet's opening.
                    text: !row.expanded || row.changelog.trim() === "" ? "" : PaneWording.readmeText(row.showAll ? row.wholeChangelog : row.changelog)
                    textFormat: Text.MarkdownText
                    wrapMode: Text.Wrap
                    color: Theme.text
                    linkColor: Theme.emberHi
                    font.pixelSize: Theme.smallFontSize
                    onLinkActivated: (link) => { if (PaneWording.isWebLink(link)) sheet.app.openURL(link) }
                    HoverHandler { cursorShape: changes.hoveredLink ? Qt.PointingHandCursor : Qt.ArrowCursor }
                }
                LinkButton {
                    objectName: "sheet.updateReview.showAll." + row.index
                    visible: row.expanded && row.changelogCut && !row.showAll
                    text: qsTr("Show All")
                    onClicked: row.showAll = true
                }
            }
        }
    }

    ColumnLayout {
        Layout.fillWidth: true
        visible: sheet.review.newDependencies.length > 0
        spacing: Theme.smallSpacing
        Text { text: qsTr("Also installs"); color: Theme.text; font.pixelSize: Theme.smallFontSize; font.weight: Font.DemiBold }
        Text {
            objectName: "sheet.updateReview.dependencies"
            Layout.fillWidth: true
            text: sheet.review.newDependencies.join(", ") // qmllint disable type
            color: Theme.muted
            font.pixelSize: Theme.smallFontSize
            wrapMode: Text.Wrap
        }
    }

    SheetButtons {
        name: "sheet.updateReview"
        mainText: sheet.review.confirmText
        mainEnabled: sheet.review.canConfirm && sheet.app.selection.canChange
        onCancel: sheet.close()
        onMain: sheet.review.confirm()
    }
}
