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
                                                       app.needsInstallCount, app.updateCountSelected)
    readonly property var work: Wording.workButton(app.needsInstallCount, app.updateCountSelected)

    color: Theme.surface
    implicitHeight: row.implicitHeight + 28

    Rectangle { width: parent.width; height: 1; color: Theme.line }

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 24
        anchors.rightMargin: 24
        anchors.topMargin: 14
        anchors.bottomMargin: 14
        spacing: 10

        Item {
            Layout.fillWidth: true
            implicitHeight: status.implicitHeight
            Row {
                id: status
                anchors.verticalCenter: parent.verticalCenter
                spacing: 8
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
                    width: Math.min(implicitWidth, status.parent.width - (spinner.visible ? spinner.width + 8 : 0)
                                    - (progress.visible ? progress.width + 8 : 0))
                    text: footer.status.text
                    color: footer.status.emphasis ? Theme.text : Theme.muted
                    font.pixelSize: 13
                    font.bold: footer.status.bold
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    // A cut text shows whole on hover.
                    readonly property string tip: truncated ? text : ""
                    HoverHandler { id: statusHover }
                    ToolTip.visible: tip !== "" && statusHover.hovered
                    ToolTip.text: tip
                    ToolTip.delay: 600
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

        // Beside the note of what the last launch loaded: its report.
        AppButton {
            objectName: "footer.report"
            kind: "ghost"
            visible: footer.app.launchCheck.summary !== "" && footer.app.activity.noteLine === footer.app.launchCheck.summary
            text: "Report"
            iconName: footer.app.launchCheck.problems.length > 0 ? "alert-triangle" : "align-left"
            tip: "What the mod loader said at this launch"
            onClicked: footer.app.launchCheck.shown = true
        }
        AppButton {
            objectName: "footer.log"
            kind: "ghost"
            text: "Log"
            iconName: "align-left"
            onClicked: footer.app.window.showLog = true
        }
        AppButton {
            objectName: "footer.folder"
            kind: "ghost"
            text: "Folder"
            iconName: "folder"
            tip: "Open this profile’s mods folder in Finder"
            onClicked: footer.app.openProfileFolder()
        }
        AppButton {
            objectName: "footer.work"
            visible: footer.work.text !== ""
            text: footer.work.text
            enabled: footer.app.activity.idle && (footer.app.game.found || !footer.work.installs)
            onClicked: footer.work.installs ? footer.app.installMissing() : footer.app.updateAll()
        }
        AppButton {
            objectName: "footer.play"
            kind: "play"
            iconName: "player-play-filled"
            text: footer.app.game.running ? "Valheim Running" : "Play Modded"
            tip: "Start Valheim with this profile’s mods (this session only)"
            enabled: footer.app.game.canStartPlay
            onClicked: footer.app.play()
        }
    }

    // A thin bar for the current download: how much has arrived, or a moving stripe while unknown.
    component DownloadProgress: Rectangle {
        id: bar
        property real value: 0   // the fraction received, or -1 when the size is not known
        implicitHeight: 4
        radius: 2
        color: Theme.line
        clip: true
        Rectangle {
            visible: bar.value >= 0
            width: parent.width * Math.min(Math.max(bar.value, 0), 1)
            height: parent.height
            radius: 2
            color: Theme.ember
        }
        Rectangle {
            visible: bar.value < 0
            width: parent.width * 0.3
            height: parent.height
            radius: 2
            color: Theme.ember
            NumberAnimation on x {
                running: bar.visible && bar.value < 0
                from: -bar.width * 0.3; to: bar.width
                duration: 1200; loops: Animation.Infinite
            }
        }
    }
}
