import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// What the loader said at the last launch: its version, the counts, and each problem under its
// mod with the one action that fixes it and the log lines behind it.
SheetFrame {
    id: sheet
    required property LaunchCheck check
    property bool copied: false
    objectName: "sheet.launch"
    title: "Launch Report"
    sheetWidth: 640

    onAccept: sheet.close()

    Text {
        objectName: "sheet.launch.counts"
        Layout.fillWidth: true
        text: (sheet.check.loader !== "" ? "BepInEx " + sheet.check.loader : "BepInEx, version unknown")
              + "  ·  " + sheet.check.loaded + " loaded  ·  " + sheet.check.skipped + " skipped  ·  "
              + sheet.check.failed + " not loaded"
        color: Theme.muted
        font.pixelSize: 12
        wrapMode: Text.Wrap
    }
    Text {
        objectName: "sheet.launch.summary"
        Layout.fillWidth: true
        text: sheet.check.summary !== "" ? sheet.check.summary : "Start-up hasn’t completed yet."
        color: Theme.text
        font.pixelSize: 13
        font.bold: true
        wrapMode: Text.Wrap
    }
    Rectangle {
        Layout.fillWidth: true
        implicitHeight: sheet.check.problems.length > 0 ? 400 : 0
        visible: sheet.check.problems.length > 0
        radius: 8
        color: Theme.surface
        border.width: 1
        border.color: Theme.line

        ListView {
            id: list
            objectName: "sheet.launch.problems"
            anchors.fill: parent
            anchors.margins: 12
            clip: true
            spacing: 12
            model: sheet.check.problems
            ScrollBar.vertical: ScrollBar {}

            delegate: Column {
                id: problem
                required property var modelData
                required property int index
                property bool showLines: false
                objectName: "sheet.launch.problem." + index
                width: ListView.view.width - 14
                spacing: 6

                Column {
                    visible: problem.modelData.first
                    width: parent.width
                    topPadding: problem.index > 0 ? 8 : 0
                    spacing: 2
                    Text {
                        width: parent.width
                        text: problem.modelData.title
                        color: Theme.text
                        font.pixelSize: 14
                        font.weight: Font.DemiBold
                        elide: Text.ElideRight
                    }
                    Text {
                        width: parent.width
                        text: problem.modelData.subtitle
                        color: Theme.faint
                        font.pixelSize: 11
                        elide: Text.ElideRight
                    }
                }
                Text {
                    objectName: "sheet.launch.reason"
                    width: parent.width
                    text: problem.modelData.reason
                    color: Theme.text
                    font.pixelSize: 12
                    wrapMode: Text.Wrap
                }
                RowLayout {
                    width: parent.width
                    spacing: 8
                    Text {
                        Layout.fillWidth: true
                        text: problem.modelData.lines
                        color: Theme.muted
                        font.pixelSize: 11
                        elide: Text.ElideRight
                    }
                    AppButton {
                        objectName: "sheet.launch.action"
                        visible: problem.modelData.action !== ""
                        enabled: sheet.app.activity.idle
                        text: problem.modelData.actionLabel
                        onClicked: sheet.check.act(problem.modelData.action, problem.modelData.target)
                    }
                    AppButton {
                        objectName: "sheet.launch.lines"
                        kind: "ghost"
                        text: problem.showLines ? "Hide Lines" : "Show Lines"
                        onClicked: problem.showLines = !problem.showLines
                    }
                }
                Rectangle {
                    visible: problem.showLines
                    width: parent.width
                    height: visible ? excerpt.implicitHeight + 16 : 0
                    radius: 6
                    color: Theme.logBackground
                    TextEdit {
                        id: excerpt
                        objectName: "sheet.launch.excerpt"
                        x: 8
                        y: 8
                        width: parent.width - 16
                        text: problem.modelData.excerpt
                        readOnly: true
                        selectByMouse: true
                        wrapMode: TextEdit.WrapAnywhere
                        font.family: Theme.monoFamily
                        font.pixelSize: 11
                        color: Theme.logText
                        selectionColor: Theme.alpha(Theme.ember, 0.45)
                    }
                }
            }
        }
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        AppButton {
            objectName: "sheet.launch.copy"
            text: sheet.copied ? "Copied" : "Copy Report"
            iconName: sheet.copied ? "" : "copy"
            onClicked: {
                sheet.check.copyReport()
                sheet.copied = true
            }
        }
        AppButton {
            objectName: "sheet.launch.openLog"
            text: "Open Log File"
            onClicked: sheet.check.openLogFile()
        }
        Item { Layout.fillWidth: true }
        AppButton {
            objectName: "sheet.launch.done"
            text: "Done"
            isDefault: true
            onClicked: sheet.close()
        }
    }
}
