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
    property bool warningsOpen: false
    // The problem whose fix waits for an answer, and the question; kept by key while the list grows.
    property string askingKey
    property string question
    readonly property ListView problemList: list
    objectName: "sheet.launch"
    title: qsTr("Launch Report")
    sheetWidth: 640

    // While a fix asks whether to turn a mod off, Return takes the safe answer: Cancel.
    onAccept: if (sheet.askingKey !== "") sheet.askingKey = ""; else sheet.close()

    Text {
        objectName: "sheet.launch.counts"
        Layout.fillWidth: true
        visible: !sheet.check.notALoaderLog
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
        text: sheet.check.notALoaderLog ? qsTr("This file isn’t a BepInEx log.")
              : sheet.check.summary !== "" ? sheet.check.summary : qsTr("Start-up hasn’t completed yet.")
        color: Theme.text
        font.pixelSize: Theme.bodyFontSize
        font.bold: true
        wrapMode: Text.Wrap
    }
    Rectangle {
        Layout.fillWidth: true
        readonly property bool any: sheet.check.problems.length + sheet.check.warnings.length > 0
        implicitHeight: any ? 400 : 0
        visible: any
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

            delegate: ProblemItem {
                objectName: "sheet.launch.problem." + index
                width: ListView.view.width - 14
            }
            // The warnings without an exception: counted, and listed only when asked for.
            footer: Column {
                width: ListView.view.width - 14
                // Qt 6.4's qmllint cannot see ids outside a component; the lines that use one say so.
                topPadding: sheet.check.problems.length > 0 ? Theme.groupTitleSpacing : 0 // qmllint disable unqualified
                spacing: Theme.xxLargeSpacing
                visible: sheet.check.warnings.length > 0 // qmllint disable unqualified
                AppButton {
                    objectName: "sheet.launch.warnings"
                    kind: "ghost"
                    text: qsTr("Warnings (%1)").arg(sheet.check.warnings.length) // qmllint disable unqualified
                    iconName: sheet.warningsOpen ? "chevron-down" : "arrow-right" // qmllint disable unqualified
                    tip: sheet.warningsOpen ? qsTr("Hide the warnings") : qsTr("Show the warnings: worth a look, not problems") // qmllint disable unqualified
                    onClicked: sheet.warningsOpen = !sheet.warningsOpen // qmllint disable unqualified
                }
                Repeater {
                    model: sheet.warningsOpen ? sheet.check.warnings : [] // qmllint disable unqualified
                    delegate: ProblemItem {
                        objectName: "sheet.launch.warning." + index
                        width: parent ? parent.width : 0
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
            // As wide as it was before it said "Copied": the buttons beside it stay put.
            Layout.preferredWidth: Math.ceil(copyWidth.implicitWidth)
            text: sheet.copied ? qsTr("Copied") : qsTr("Copy Report")
            iconName: sheet.copied ? "" : "copy"
            onClicked: {
                sheet.check.copyReport()
                sheet.copied = true
            }
        }
        AppButton {
            id: copyWidth
            visible: false
            text: qsTr("Copy Report")
            iconName: "copy"
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
            isDefault: sheet.askingKey === ""
            onClicked: sheet.close()
        }
    }

    // One problem or warning: its mod's title where a group starts, why it matters, its lines, and
    // its fix; once fixed, what was done stands where the fix was.
    component ProblemItem: Column {
        id: problem
        required property var modelData
        required property int index
        property bool showLines: false
        readonly property bool asking: sheet.askingKey !== "" && sheet.askingKey === problem.modelData.key // qmllint disable unqualified
        spacing: Theme.mediumSpacing
        // What opens below the row comes into view.
        onAskingChanged: if (asking) problem.bringIntoView()
        onShowLinesChanged: if (showLines) problem.bringIntoView()
        // Scrolls the list just enough for the whole item to show, its top first when it is taller
        // than the list; a warning under the list's footer too. Laid out first, so that it goes by
        // the item's height with what just opened.
        function bringIntoView() {
            revealing.restart()
            reveal()
        }
        function reveal() {
            const view = sheet.problemList // qmllint disable unqualified
            const top = problem.mapToItem(view.contentItem, 0, 0).y
            const bottom = top + problem.height
            if (bottom > view.contentY + view.height) view.contentY = bottom - view.height
            if (top < view.contentY) view.contentY = top
        }
        // Text lays itself out after it shows: while what opened grows, it stays in view.
        onHeightChanged: if (revealing.running) reveal()
        Timer { id: revealing; interval: 300 }

        Text {
            objectName: "sheet.launch.heading"
            visible: !!problem.modelData.heading
            width: parent.width
            topPadding: problem.index > 0 ? Theme.groupTitleSpacing : 0
            text: problem.modelData.heading || ""
            color: Theme.moss
            font.pixelSize: Theme.smallFontSize
            font.weight: Font.DemiBold
            wrapMode: Text.Wrap
        }
        Column {
            visible: problem.modelData.first
            width: parent.width
            topPadding: problem.index > 0 && !problem.modelData.heading ? 8 : 0
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
        Text {
            // A mod updated since the last launch that worked: the likeliest cause, said apart.
            objectName: "sheet.launch.since"
            visible: problem.modelData.since !== ""
            width: parent.width
            text: problem.modelData.since
            color: Theme.ember
            font.pixelSize: Theme.smallFontSize
            font.weight: Font.Medium
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
                // While its question waits, the button stays where it was and takes no second click.
                enabled: sheet.app.selection.canChange && !problem.asking // qmllint disable unqualified
                text: problem.modelData.actionLabel
                onClicked: {
                    const asked = sheet.check.fix(problem.modelData.key, false)
                    if (asked !== "") {
                        sheet.question = asked
                        sheet.askingKey = problem.modelData.key
                    }
                }
            }
            Text {
                objectName: "sheet.launch.outcome"
                visible: problem.modelData.outcome !== ""
                text: problem.modelData.outcome
                color: Theme.moss
                font.pixelSize: Theme.smallFontSize
                font.weight: Font.Medium
            }
            LinkButton {
                objectName: "sheet.launch.undo"
                visible: problem.modelData.undoable
                enabled: sheet.app.selection.canChange // qmllint disable unqualified
                text: qsTr("Undo")
                onClicked: sheet.check.undoFix() // qmllint disable unqualified
            }
            AppButton {
                objectName: "sheet.launch.lines"
                kind: "ghost"
                text: problem.showLines ? qsTr("Hide Lines") : qsTr("Show Lines")
                onClicked: problem.showLines = !problem.showLines
            }
        }
        // The question a fix asks before it turns off what others need, below the row it came from.
        Rectangle {
            objectName: "sheet.launch.question"
            visible: problem.asking
            width: parent.width
            height: visible ? askColumn.implicitHeight + 2 * Theme.largeSpacing : 0
            radius: Theme.mediumRadius
            color: Theme.alpha(Theme.blood, 0.1)
            border.width: 1
            border.color: Theme.alpha(Theme.blood, 0.35)
            ColumnLayout {
                id: askColumn
                x: Theme.largeSpacing
                y: Theme.largeSpacing
                width: parent.width - 2 * Theme.largeSpacing
                spacing: Theme.mediumSpacing
                Text {
                    Layout.fillWidth: true
                    text: sheet.question // qmllint disable unqualified
                    color: Theme.text
                    font.pixelSize: Theme.smallFontSize
                    font.weight: Font.DemiBold
                    wrapMode: Text.Wrap
                }
                RowLayout {
                    Layout.fillWidth: true
                    spacing: Theme.largeSpacing
                    Text {
                        Layout.fillWidth: true
                        text: qsTr("It stays installed but isn’t loaded, and the mods that need it may not work.")
                        color: Theme.muted
                        font.pixelSize: Theme.captionFontSize
                        wrapMode: Text.Wrap
                    }
                    AppButton {
                        objectName: "sheet.launch.question.cancel"
                        text: qsTr("Cancel")
                        isDefault: true
                        onClicked: sheet.askingKey = "" // qmllint disable unqualified
                    }
                    AppButton {
                        objectName: "sheet.launch.question.confirm"
                        text: qsTr("Turn Off")
                        destructive: true
                        onClicked: {
                            const key = sheet.askingKey
                            sheet.askingKey = ""
                            sheet.check.fix(key, true)
                        }
                    }
                }
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
