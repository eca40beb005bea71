import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The selected profile's snapshots, newest first, beside what changed since the chosen one, and
// the way back to it.
SheetFrame {
    id: sheet
    required property ProfileHistory history
    objectName: "sheet.history"
    title: qsTr("History of “%1”").arg(app && app.selection.profile ? app.selection.profile.name : "")
    sheetWidth: 760

    // The chosen row is the state the profile is in.
    property bool chosenIsNow: false
    property bool confirming: false

    onAccept: sheet.close()

    // Asks before a restore of the chosen state; false when no row is chosen (Return then closes).
    function askRestore(): bool {
        if (sheet.history.canRestore) sheet.confirming = true
        return list.currentIndex >= 0
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.xxLargeSpacing

        // The snapshots.
        Rectangle {
            Layout.preferredWidth: 320
            Layout.preferredHeight: 380
            radius: Theme.controlRadius
            color: Theme.surface
            border.width: 1
            border.color: Theme.line

            ListView {
                id: list
                objectName: "sheet.history.list"
                anchors.fill: parent
                anchors.margins: Theme.smallSpacing
                clip: true
                spacing: Theme.tinySpacing
                model: sheet.history.entries
                currentIndex: -1
                // Tab reaches the list; ↑ and ↓ move through it, Return restores the chosen state.
                activeFocusOnTab: true
                keyNavigationEnabled: true
                Keys.onReturnPressed: (event) => event.accepted = sheet.askRestore()
                Keys.onEnterPressed: (event) => event.accepted = sheet.askRestore()
                // A refresh keeps the chosen row where it still is.
                Connections {
                    target: list.model
                    function onModelReset() { list.currentIndex = sheet.history.entries.indexOf(sheet.history.selectedID) }
                }
                ScrollBar.vertical: ScrollBar {}

                delegate: ItemDelegate {
                    id: entry
                    required property int index
                    required property string snapshotID
                    required property var time
                    required property string stateText
                    required property string summary
                    required property bool damaged
                    required property bool now
                    readonly property bool chosen: ListView.isCurrentItem
                    objectName: "sheet.history.entry." + index
                    width: ListView.view.width
                    padding: Theme.largeSpacing
                    enabled: !damaged
                    focusPolicy: Qt.NoFocus
                    Accessible.name: stateText
                    background: Rectangle {
                        radius: Theme.mediumRadius
                        color: entry.chosen ? Theme.surface2 : entry.hovered ? Theme.alpha(Theme.surface2, 0.5) : "transparent"
                        border.width: entry.chosen ? 1 : 0
                        border.color: entry.chosen && entry.ListView.view.activeFocus ? Theme.ember : Theme.btnBorder
                    }
                    // Two lines, then the tooltip has all of it.
                    ToolTip.visible: hovered && title.truncated
                    ToolTip.text: stateText
                    ToolTip.delay: Theme.toolTipDelay
                    // Declared as a child: the id inside would make the deferred contentItem immediate.
                    contentItem: texts
                    Column {
                        id: texts
                        spacing: Theme.tinySpacing
                        RowLayout {
                            width: parent.width
                            spacing: Theme.mediumSpacing
                            Text {
                                id: title
                                Layout.fillWidth: true
                                text: entry.stateText
                                color: entry.damaged ? Theme.muted : Theme.text
                                font.pixelSize: Theme.bodyFontSize
                                font.weight: Font.DemiBold
                                wrapMode: Text.Wrap
                                maximumLineCount: 2
                                elide: Text.ElideRight
                            }
                            Pill {
                                objectName: "sheet.history.now"
                                Layout.alignment: Qt.AlignTop
                                visible: entry.now
                                text: qsTr("Now")
                                fg: Theme.moss
                                bg: Theme.alpha(Theme.moss, 0.12)
                            }
                        }
                        Text {
                            width: parent.width
                            text: entry.damaged ? qsTr("Damaged — can’t be restored")
                                  : entry.summary === "" ? Fmt.moment(entry.time)
                                  : qsTr("%1 · %2").arg(Fmt.moment(entry.time)).arg(entry.summary)
                            color: entry.damaged ? Theme.blood : Theme.muted
                            font.pixelSize: Theme.captionFontSize
                            elide: Text.ElideRight
                        }
                    }
                    onChosenChanged: {
                        if (!chosen) return
                        // Qt 6.4 cannot bind a loader's component to this file's scope, and its qmllint cannot see
                        // ids outside a component; the lines that use one say so.
                        sheet.history.selectedID = snapshotID // qmllint disable unqualified
                        sheet.chosenIsNow = now
                    }
                    onClicked: ListView.view.currentIndex = index
                }
            }
            Text {
                objectName: "sheet.history.empty"
                anchors.fill: parent
                anchors.margins: Theme.sheetPadding
                visible: list.count === 0 && !sheet.history.loading
                text: qsTr("No changes yet. Quernhold keeps a snapshot before every change to this profile.")
                color: Theme.muted
                font.pixelSize: Theme.smallFontSize
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
        }

        // What changed since the chosen snapshot.
        ColumnLayout {
            Layout.fillWidth: true
            Layout.preferredHeight: 380
            Layout.alignment: Qt.AlignTop
            spacing: Theme.largeSpacing

            Text {
                objectName: "sheet.history.since"
                Layout.fillWidth: true
                text: sheet.chosenIsNow ? qsTr("This is how the profile is now.")
                      : sheet.history.selectedID === "" ? qsTr("Choose a snapshot to see what changed since.")
                      : sheet.history.changes.length === 0 ? qsTr("Nothing has changed since this snapshot.")
                      : qsTr("Since this snapshot")
                color: sheet.history.selectedID === "" || sheet.history.changes.length === 0 ? Theme.muted : Theme.text
                font.pixelSize: sheet.history.selectedID === "" ? Theme.smallFontSize : Theme.bodyFontSize
                font.weight: sheet.history.changes.length > 0 ? Font.DemiBold : Font.Normal
                wrapMode: Text.Wrap
            }
            ListView {
                id: changes
                objectName: "sheet.history.changes"
                Layout.fillWidth: true
                Layout.fillHeight: true
                clip: true
                spacing: Theme.smallSpacing
                model: sheet.history.changes
                ScrollBar.vertical: ScrollBar {}
                section.property: "section"
                section.delegate: SectionTitle {
                    required property string section
                    caption: section === "Mods" ? qsTr("Mods") : qsTr("Config Files")
                    topPadding: Theme.smallSpacing
                }
                delegate: Column {
                    id: change
                    required property var modelData
                    width: ListView.view.width - Theme.xxLargeSpacing
                    spacing: Theme.tinySpacing
                    Text {
                        width: parent.width
                        text: change.modelData.text
                        color: Theme.text
                        font.pixelSize: Theme.smallFontSize
                        wrapMode: Text.Wrap
                    }
                    Repeater {
                        model: change.modelData.settings
                        Text {
                            required property string modelData
                            x: Theme.xxLargeSpacing
                            width: parent.width - x
                            text: modelData
                            color: Theme.muted
                            font.family: Theme.monoFamily
                            font.pixelSize: Theme.captionFontSize
                            wrapMode: Text.WrapAnywhere
                        }
                    }
                }
            }
            // Under the changes, inside the column's fixed height: the sheet keeps its size as it comes and goes.
            Text {
                objectName: "sheet.history.missing"
                Layout.fillWidth: true
                visible: text !== ""
                text: sheet.history.missing
                color: Theme.blood
                font.pixelSize: Theme.smallFontSize
                wrapMode: Text.Wrap
            }
        }
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.largeSpacing
        Text {
            Layout.fillWidth: true
            text: qsTr("Restoring first keeps a snapshot of how the profile is now, so it can be undone.")
            color: Theme.faint
            font.pixelSize: Theme.captionFontSize
            wrapMode: Text.Wrap
        }
        AppButton {
            objectName: "sheet.history.restore"
            text: qsTr("Restore")
            enabled: sheet.history.canRestore
            onClicked: sheet.askRestore()
        }
        AppButton {
            objectName: "sheet.history.done"
            text: qsTr("Done")
            isDefault: true
            onClicked: sheet.close()
        }
    }

    Loader {
        active: sheet.confirming
        sourceComponent: ConfirmDialog {
            objectName: "sheet.history.confirm"
            name: "sheet.history.confirm"
            title: qsTr("Restore this state?")
            sheetWidth: 460
            message: sheet.history.restoreMessage // qmllint disable unqualified
            actionText: qsTr("Restore")
            destructive: false
            onConfirmed: sheet.app.modController.restore(sheet.history.selectedID) // qmllint disable unqualified
            onClosed: { sheet.confirming = false; list.forceActiveFocus() } // qmllint disable unqualified
        }
    }
}
