import QtQuick
import QtQuick.Layouts
import Quernhold

SheetFrame {
    id: sheet
    required property var code   // SharedCode: id and profileName
    property bool copied: false
    objectName: "sheet.share"
    title: qsTr("Share “%1”").arg(code.profileName)
    sheetWidth: 480

    onAccept: sheet.close()

    Text {
        Layout.fillWidth: true
        text: qsTr("Send this code to your fellow Vikings. They paste it into Import Code (here or in r2modman) to get the same mods, versions and config settings.")
        color: Theme.muted
        font.pixelSize: Theme.smallFontSize
        wrapMode: Text.Wrap
    }
    Rectangle {
        Layout.fillWidth: true
        implicitHeight: codeText.implicitHeight + 2 * Theme.xxLargeSpacing
        radius: Theme.controlRadius
        color: Theme.surface
        border.width: 1
        border.color: Theme.line
        TextEdit {
            id: codeText
            objectName: "sheet.share.code"
            anchors.centerIn: parent
            width: Math.min(implicitWidth, parent.width - 2 * Theme.xxLargeSpacing)
            text: sheet.code.id
            readOnly: true
            selectByMouse: true
            wrapMode: TextEdit.WrapAnywhere
            horizontalAlignment: TextEdit.AlignHCenter
            font.family: Theme.monoFamily
            font.pixelSize: Theme.codeFontSize
            font.weight: Font.DemiBold
            color: Theme.text
            selectionColor: Theme.alpha(Theme.ember, 0.45)
        }
    }
    Text {
        Layout.fillWidth: true
        text: qsTr("Codes are temporary on Thunderstore’s side — if one stops working, make a fresh one.")
        color: Theme.faint
        font.pixelSize: Theme.captionFontSize
        wrapMode: Text.Wrap
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.largeSpacing
        Item { Layout.fillWidth: true }
        AppButton {
            objectName: "sheet.share.copy"
            text: sheet.copied ? qsTr("Copied") : qsTr("Copy Code")
            iconName: sheet.copied ? "" : "copy"
            onClicked: {
                sheet.app.copyText(sheet.code.id)
                sheet.copied = true
            }
        }
        AppButton {
            objectName: "sheet.share.done"
            text: qsTr("Done")
            isDefault: true
            onClicked: sheet.close()
        }
    }
}
