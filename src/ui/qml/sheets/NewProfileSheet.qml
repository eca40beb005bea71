import QtQuick
import QtQuick.Layouts
import Quernhold

SheetFrame {
    id: sheet
    objectName: "sheet.newProfile"
    title: "New Profile"

    onAccept: {
        sheet.app.newProfile(Wording.profileName(nameField.text))
        sheet.close()
    }

    Text {
        Layout.fillWidth: true
        text: "A profile is its own set of mods and settings — for example one per server you play on."
        color: Theme.muted
        font.pixelSize: 12
        wrapMode: Text.Wrap
    }
    AppTextField {
        id: nameField
        objectName: "sheet.newProfile.name"
        Layout.fillWidth: true
        placeholderText: "Profile name"
        focus: true
    }
    SheetButtons {
        mainText: "Create"
        name: "sheet.newProfile"
        onCancel: sheet.close()
        onMain: sheet.accept()
    }
}
