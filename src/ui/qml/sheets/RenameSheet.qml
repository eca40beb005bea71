import QtQuick
import QtQuick.Layouts
import Quernhold

SheetFrame {
    id: sheet
    required property var profile
    objectName: "sheet.rename"
    title: qsTr("Rename Profile")

    onAccept: {
        sheet.app.rename(sheet.profile, nameField.text)
        sheet.close()
    }

    AppTextField {
        id: nameField
        objectName: "sheet.rename.name"
        Layout.fillWidth: true
        placeholderText: qsTr("Profile name")
        text: sheet.profile.name
        focus: true
        Component.onCompleted: selectAll()
    }
    SheetButtons {
        mainText: qsTr("Rename")
        name: "sheet.rename"
        onCancel: sheet.close()
        onMain: sheet.accept()
    }
}
