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
    title: qsTr("Launch Report")
    sheetWidth: 640

    onAccept: sheet.close()

    Text {
        objectName: "sheet.launch.counts"
        Layout.fillWidth: true
        // The loader's text goes in last, so that nothing in it is taken for a placeholder.
        text: qsTr("%4  ·  %1 loaded  ·  %2 skipped  ·  %3 not loaded")
              .arg(sheet.check.loaded).arg(sheet.check.skipped).arg(sheet.check.failed)
              .arg(sheet.check.loader !== "" ? qsTr("BepInEx %1").arg(sheet.check.loader) : qsTr("BepInEx, version unknown"))
        color: Theme.muted
        font.pixelSize: Theme.smallFontSize
        wrapMode: Text.Wrap
    }
    Text {
        objectName: "sheet.launch.summary"
        Layout.fillWidth: true
        text: sheet.check.summary !== "" ? sheet.check.summary : qsTr("Start-up hasn’t completed yet.")
        color: Theme.text
        font.pixelSize: Theme.bodyFontSize
        font.bold: true
        wrapMode: Text.Wrap
    }
    Rectangle {
        Layout.fillWidth: true
        implicitHeight: sheet.check.problems.length > 0 ? 400 : 0
        visible: sheet.check.problems.length > 0
        radius: Theme.controlRadius
        color: Theme.surface
        border.width: 1
        border.color: Theme.line

        ListView {
            id: list
            objectName: "sheet.launch.problems"
            anchors.fill: parent
            anchors.margins: Theme.xxLargeSpacing
            clip: true
            spacing: Theme.xxLargeSpacing
            model: sheet.check.problems
            ScrollBar.vertical: ScrollBar {}

            delegate: Column {
                id: problem
                required property var modelData
                required property int index
                property bool showLines: false
                objectName: "sheet.launch.problem." + index
                width: ListView.view.width - 14
                spacing: Theme.mediumSpacing

                Column {
                    visible: problem.modelData.first
                    width: parent.width
                    topPadding: problem.index > 0 ? 8 : 0
                    spacing: Theme.tinySpacing
                    Text {
                        width: parent.width
                        text: problem.modelData.title
                        color: Theme.text
                        font.pixelSize: Theme.titleFontSize
                        font.weight: Font.DemiBold
                        elide: Text.ElideRight
                    }
                    Text {
                        width: parent.width
                        text: problem.modelData.subtitle
                        color: Theme.faint
                        font.pixelSize: Theme.captionFontSize
                        elide: Text.ElideRight
                    }
                }
                Text {
                    objectName: "sheet.launch.reason"
                    width: parent.width
                    text: problem.modelData.reason
                    color: Theme.text
                    font.pixelSize: Theme.smallFontSize
                    wrapMode: Text.Wrap
                }
                RowLayout {
                    width: parent.width
                    spacing: Theme.largeSpacing
                    Text {
                        Layout.fillWidth: true
                        text: problem.modelData.lines
                        color: Theme.muted
                        font.pixelSize: Theme.captionFontSize
                        elide: Text.ElideRight
                    }
                    AppButton {
                        objectName: "sheet.launch.action"
                        visible: problem.modelData.action !== ""
                        // Qt 6.4's qmllint cannot see ids outside a component; the lines that use one say so.
                        enabled: sheet.app.activity.idle // qmllint disable unqualified
                        text: problem.modelData.actionLabel
                        onClicked: sheet.check.act(problem.modelData.action, problem.modelData.target) // qmllint disable unqualified
                    }
                    AppButton {
                        objectName: "sheet.launch.lines"
                        kind: "ghost"
                        text: problem.showLines ? qsTr("Hide Lines") : qsTr("Show Lines")
                        onClicked: problem.showLines = !problem.showLines
                    }
                }
                Rectangle {
                    visible: problem.showLines
                    width: parent.width
                    height: visible ? excerpt.implicitHeight + 2 * Theme.largeSpacing : 0
                    radius: Theme.mediumRadius
                    color: Theme.logBackground
                    TextEdit {
                        id: excerpt
                        objectName: "sheet.launch.excerpt"
                        x: Theme.largeSpacing
                        y: Theme.largeSpacing
                        width: parent.width - 2 * Theme.largeSpacing
                        text: problem.modelData.excerpt
                        readOnly: true
                        selectByMouse: true
                        wrapMode: TextEdit.WrapAnywhere
                        font.family: Theme.monoFamily
                        font.pixelSize: Theme.captionFontSize
                        color: Theme.logText
                        selectionColor: Theme.alpha(Theme.ember, 0.45)
                    }
                }
            }
        }
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.largeSpacing
        AppButton {
            objectName: "sheet.launch.copy"
            text: sheet.copied ? qsTr("Copied") : qsTr("Copy Report")
            iconName: sheet.copied ? "" : "copy"
            onClicked: {
                sheet.check.copyReport()
                sheet.copied = true
            }
        }
        AppButton {
            objectName: "sheet.launch.openLog"
            text: qsTr("Open Log File")
            onClicked: sheet.check.openLogFile()
        }
        Item { Layout.fillWidth: true }
        AppButton {
            objectName: "sheet.launch.done"
            text: qsTr("Done")
            isDefault: true
            onClicked: sheet.close()
        }
    }
}
