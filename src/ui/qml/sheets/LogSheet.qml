import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

SheetFrame {
    id: sheet
    objectName: "sheet.log"
    title: qsTr("Activity Log")
    sheetWidth: 760

    onAccept: sheet.close()

    Rectangle {
        Layout.fillWidth: true
        implicitHeight: 380
        radius: Theme.controlRadius
        color: Theme.logBackground

        ScrollView {
            id: scroller
            objectName: "sheet.log.scroll"
            anchors.fill: parent
            anchors.margins: Theme.xxLargeSpacing
            clip: true
            ScrollBar.vertical.policy: ScrollBar.AlwaysOn
            ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

            TextEdit {
                id: logText
                objectName: "sheet.log.text"
                width: scroller.availableWidth
                text: sheet.app.logTail()
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
    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.largeSpacing
        AppButton {
            objectName: "sheet.log.gameLog"
            text: qsTr("Open Game Log")
            onClicked: sheet.app.launcher.openGameLog()
        }
        AppButton {
            objectName: "sheet.log.reveal"
            text: qsTr("Show Log File")
            onClicked: sheet.app.reveal(About.logFile)
        }
        Item { Layout.fillWidth: true }
        AppButton {
            objectName: "sheet.log.refresh"
            text: qsTr("Refresh")
            iconName: "refresh"
            onClicked: logText.text = sheet.app.logTail()
        }
        AppButton {
            objectName: "sheet.log.done"
            text: qsTr("Done")
            isDefault: true
            onClicked: sheet.close()
        }
    }

    // The newest lines first come into view, once the text is laid out.
    // Qt.callLater is a method; Qt 6.4's qmllint takes it for a value.
    onOpened: Qt.callLater(() => scroller.ScrollBar.vertical.position = 1 - scroller.ScrollBar.vertical.size) // qmllint disable type
}
