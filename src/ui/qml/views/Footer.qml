import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The bar under the selected profile: what is going on, the log and folder, install or update,
// and play.
Rectangle {
    id: footer
    required property AppState app

    readonly property var status: Wording.footerStatus(app.activity.busyLine, app.activity.noteLine, app.catalogue.loading, app.catalogue.index.total === 0,
                                                       app.selection.needsInstall, app.selection.updates, app.selection.heldUpdates)
    readonly property var work: Wording.workButton(app.selection.needsInstall, app.selection.updates)

    color: Theme.surface
    implicitHeight: row.implicitHeight + 2 * Theme.sectionSpacing

    Rectangle { width: parent.width; height: 1; color: Theme.line }

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: Theme.pageMargin
        anchors.rightMargin: Theme.pageMargin
        anchors.topMargin: Theme.sectionSpacing
        anchors.bottomMargin: Theme.sectionSpacing
        spacing: Theme.xLargeSpacing

        Item {
            Layout.fillWidth: true
            implicitHeight: status.implicitHeight
            Row {
                id: status
                anchors.verticalCenter: parent.verticalCenter
                spacing: Theme.largeSpacing
                Spinner {
                    id: spinner
                    objectName: "footer.spinner"
                    anchors.verticalCenter: parent.verticalCenter
                    visible: footer.status.spinner
                    color: footer.status.emphasis ? Theme.text : Theme.muted
                }
                Text {
                    objectName: "footer.status"
                    anchors.verticalCenter: parent.verticalCenter
                    // Shares the width with the spinner and progress bar; long texts end in an ellipsis.
                    width: Math.min(implicitWidth, status.parent.width - (spinner.visible ? spinner.width + status.spacing : 0)
                                    - (progress.visible ? progress.width + status.spacing : 0))
                    text: footer.status.text
                    color: footer.status.emphasis ? Theme.text : Theme.muted
                    font.pixelSize: Theme.bodyFontSize
                    font.bold: footer.status.bold
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    // A cut text shows whole on hover.
                    readonly property string tip: truncated ? text : ""
                    HoverHandler { id: statusHover }
                    ToolTip.visible: tip !== "" && statusHover.hovered
                    ToolTip.text: tip
                    ToolTip.delay: Theme.toolTipDelay
                }
                DownloadProgress {
                    id: progress
                    objectName: "footer.progress"
                    anchors.verticalCenter: parent.verticalCenter
                    width: 120
                    visible: !footer.app.activity.idle && footer.app.activity.downloading
                    value: footer.app.activity.progress
                }
            }
        }

        // Install or update beside the status that counts them, left of the buttons that always show:
        // those keep their place when it goes.
        AppButton {
            objectName: "footer.work"
            visible: footer.work.text !== ""
            text: footer.work.text
            enabled: footer.app.selection.canChange && (footer.app.game.found || !footer.work.installs)
            onClicked: footer.work.installs ? footer.app.modController.installMissing() : footer.app.window.open(WindowState.UpdateReview)
        }
        // What the last launch loaded, until the next launch, whatever the note says meanwhile.
        AppButton {
            objectName: "footer.report"
            kind: "ghost"
            visible: footer.app.launchCheck.summary !== ""
            text: qsTr("Report")
            iconName: footer.app.launchCheck.problems.length > 0 ? "alert-triangle" : "align-left"
            tip: qsTr("What the mod loader said at this launch")
            onClicked: footer.app.window.open(WindowState.LaunchReport)
        }
        AppButton {
            objectName: "footer.log"
            kind: "ghost"
            text: qsTr("Log")
            iconName: "align-left"
            onClicked: footer.app.window.open(WindowState.Log)
        }
        AppButton {
            objectName: "footer.folder"
            kind: "ghost"
            text: qsTr("Folder")
            iconName: "folder"
            tip: qsTr("Open this profile’s mods folder in Finder")
            onClicked: footer.app.openProfileFolder()
        }
        AppButton {
            objectName: "footer.play"
            kind: "play"
            iconName: "player-play-filled"
            text: footer.app.game.running ? qsTr("Valheim Running") : qsTr("Play Modded")
            tip: qsTr("Start Valheim with this profile’s mods (this session only)")
            enabled: footer.app.game.canStartPlay
            onClicked: footer.app.launcher.play()
        }
    }

    // A thin bar for the current download: how much has arrived, or a moving stripe while unknown.
    component DownloadProgress: Rectangle {
        id: bar
        property real value: 0   // the fraction received, or -1 when the size is not known
        implicitHeight: 4
        radius: height / 2
        color: Theme.line
        clip: true
        Rectangle {
            visible: bar.value >= 0
            width: parent.width * Math.min(Math.max(bar.value, 0), 1)
            height: parent.height
            radius: height / 2
            color: Theme.ember
        }
        Rectangle {
            visible: bar.value < 0
            width: parent.width * 0.3
            height: parent.height
            radius: height / 2
            color: Theme.ember
            NumberAnimation on x {
                running: bar.visible && bar.value < 0
                from: -bar.width * 0.3; to: bar.width
                duration: 1200; loops: Animation.Infinite
            }
        }
    }
}
