import QtQuick
import QtQuick.Layouts
import Quernhold

SheetFrame {
    id: sheet
    required property var code   // SharedCode: id and profileName
    property bool copied: false
    objectName: "sheet.share"
    title: "Share “" + code.profileName + "”"
    sheetWidth: 480

    onAccept: sheet.close()

    Text {
        Layout.fillWidth: true
        text: "Send this code to your fellow Vikings. They paste it into Import Code (here or in r2modman) to get the same mods, versions and config settings."
        color: Theme.muted
        font.pixelSize: 12
        wrapMode: Text.Wrap
    }
    Rectangle {
        Layout.fillWidth: true
        implicitHeight: codeText.implicitHeight + 24
        radius: 8
        color: Theme.surface
        border.width: 1
        border.color: Theme.line
        TextEdit {
            id: codeText
            objectName: "sheet.share.code"
            anchors.centerIn: parent
            width: Math.min(implicitWidth, parent.width - 24)
            text: sheet.code.id
            readOnly: true
            selectByMouse: true
            wrapMode: TextEdit.WrapAnywhere
            horizontalAlignment: TextEdit.AlignHCenter
            font.family: Theme.monoFamily
            font.pixelSize: 15
            font.weight: Font.DemiBold
            color: Theme.text
            selectionColor: Theme.alpha(Theme.ember, 0.45)
        }
    }
    Text {
        Layout.fillWidth: true
        text: "Codes are temporary on Thunderstore’s side — if one stops working, make a fresh one."
        color: Theme.faint
        font.pixelSize: 11
        wrapMode: Text.Wrap
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        Item { Layout.fillWidth: true }
        AppButton {
            objectName: "sheet.share.copy"
            text: sheet.copied ? "Copied" : "Copy Code"
            iconName: sheet.copied ? "" : "copy"
            onClicked: {
                sheet.app.copyText(sheet.code.id)
                sheet.copied = true
            }
        }
        AppButton {
            objectName: "sheet.share.done"
            text: "Done"
            isDefault: true
            onClicked: sheet.close()
        }
    }
}
