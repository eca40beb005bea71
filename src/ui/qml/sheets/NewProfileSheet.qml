import QtQuick
import QtQuick.Layouts
import Quernhold

SheetFrame {
    id: sheet
    objectName: "sheet.newProfile"
    title: qsTr("New Profile")

    onAccept: {
        sheet.app.newProfile(Wording.profileName(nameField.text))
        sheet.close()
    }

    Text {
        Layout.fillWidth: true
        text: qsTr("A profile is its own set of mods and settings — for example one per server you play on.")
        color: Theme.muted
        font.pixelSize: Theme.smallFontSize
        wrapMode: Text.Wrap
    }
    AppTextField {
        id: nameField
        objectName: "sheet.newProfile.name"
        Layout.fillWidth: true
        placeholderText: qsTr("Profile name")
        focus: true
    }
    SheetButtons {
        mainText: qsTr("Create")
        name: "sheet.newProfile"
        onCancel: sheet.close()
        onMain: sheet.accept()
    }
}
