import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

SheetFrame {
    id: sheet
    objectName: "sheet.import"
    // A profile file (chosen or dropped) to import in place of a code; empty for a code.
    property url file
    readonly property bool fromFile: form.fileName !== ""
    title: fromFile ? qsTr("Import Profile File") : qsTr("Import Profile Code")
    sheetWidth: 480

    onAccept: form.submit()

    ImportForm {
        id: form
        app: sheet.app
        code: codeField.text
        file: sheet.file
        name: nameField.text
        onCodeChanged: if (codeField.text !== code) codeField.text = code
        onConfirmationNeeded: confirming = true
        onStarted: sheet.close()
        property bool confirming: false
    }

    Text {
        Layout.fillWidth: true
        text: sheet.fromFile
              ? qsTr("Import “%1” — profile files from this app, r2modman and Gale all work. You’ll get the same mods, versions and settings.").arg(form.fileName)
              : qsTr("Paste a profile code from a friend — it works with codes from this app and from r2modman. You’ll get the same mods, versions and settings.")
        color: Theme.muted
        font.pixelSize: Theme.smallFontSize
        wrapMode: Text.Wrap
    }
    RowLayout {
        visible: !sheet.fromFile
        Layout.fillWidth: true
        spacing: Theme.largeSpacing
        AppTextField {
            id: codeField
            objectName: "sheet.import.code"
            Layout.fillWidth: true
            placeholderText: qsTr("Profile code, e.g. 018f2c4e-7a1b-…")
            font.family: Theme.monoFamily
            font.pixelSize: Theme.bodyFontSize
            focus: true
        }
        AppButton {
            objectName: "sheet.import.paste"
            text: qsTr("Paste")
            onClicked: form.paste(sheet.app.pasteText())
        }
    }
    ColumnLayout {
        spacing: Theme.smallSpacing
        ModeChoice {
            objectName: "sheet.import.modeNew"
            text: qsTr("Create a new profile")
            checked: form.mode === ImportForm.NewProfile
            onClicked: form.mode = ImportForm.NewProfile
        }
        ModeChoice {
            objectName: "sheet.import.modeReplace"
            text: qsTr("Replace an existing profile")
            checked: form.mode === ImportForm.Replace
            onClicked: form.mode = ImportForm.Replace
        }
    }
    RowLayout {
        visible: form.mode === ImportForm.NewProfile
        Layout.fillWidth: true
        Layout.leftMargin: Theme.indent
        spacing: Theme.largeSpacing
        Text {
            objectName: "sheet.import.nameLabel"
            text: qsTr("Name:")
            color: Theme.muted
            font.pixelSize: Theme.smallFontSize
        }
        AppTextField {
            id: nameField
            objectName: "sheet.import.name"
            Layout.fillWidth: true
            placeholderText: qsTr("Name for the new profile")
            Accessible.name: qsTr("Name for the new profile")
        }
    }
    ColumnLayout {
        visible: form.mode === ImportForm.Replace
        Layout.fillWidth: true
        Layout.leftMargin: Theme.indent
        spacing: Theme.largeSpacing
        ProfileChoice {
            objectName: "sheet.import.target"
            Layout.fillWidth: true
            model: sheet.app.profiles
            currentIndex: indexOfValue(form.replaceID)
            onActivated: form.replaceID = currentValue
            Accessible.name: qsTr("Profile")
        }
        Text {
            Layout.fillWidth: true
            text: sheet.fromFile
                  ? qsTr("Its current mods are removed and replaced with the ones in the file. Config files from the file overwrite matching ones in this profile.")
                  : qsTr("Its current mods are removed and replaced with the ones in the code. Config files from the code overwrite matching ones in this profile.")
            color: Theme.faint
            font.pixelSize: Theme.captionFontSize
            wrapMode: Text.Wrap
        }
    }
    Text {
        objectName: "sheet.import.problem"
        Layout.fillWidth: true
        visible: form.problem !== ""
        text: form.problem
        color: Theme.blood
        font.pixelSize: Theme.smallFontSize
        wrapMode: Text.Wrap
    }
    SheetButtons {
        name: "sheet.import"
        mainText: form.mode === ImportForm.Replace ? qsTr("Replace…") : qsTr("Import")
        mainEnabled: form.canImport
        onCancel: sheet.close()
        onMain: form.submit()
    }

    Loader {
        visible: false  // takes no room in the sheet; the dialog shows over it
        active: form.confirming
        sourceComponent: ConfirmDialog {
            name: "sheet.import.confirm"
            // Qt 6.4 cannot bind a loader's component to this file's scope, and its qmllint cannot see
            // ids outside a component; the lines that use one say so.
            title: form.confirmTitle // qmllint disable unqualified
            message: form.confirmMessage // qmllint disable unqualified
            actionText: qsTr("Replace Profile")
            onConfirmed: form.run() // qmllint disable unqualified
            onClosed: form.confirming = false // qmllint disable unqualified
        }
    }

    component ModeChoice: RadioButton {
        id: choice
        padding: 0
        spacing: Theme.largeSpacing
        font.pixelSize: Theme.bodyFontSize
        indicator: Rectangle {
            x: choice.leftPadding
            anchors.verticalCenter: parent.verticalCenter
            implicitWidth: 16; implicitHeight: 16
            radius: width / 2
            color: choice.checked ? Theme.ember : Theme.surface2
            border.width: 1
            border.color: choice.checked ? Theme.ember : Theme.btnBorder
            Rectangle {
                anchors.centerIn: parent
                width: 6; height: 6; radius: width / 2
                color: Theme.playText
                visible: choice.checked
            }
        }
        contentItem: Text {
            leftPadding: choice.indicator.width + choice.spacing
            text: choice.text
            font: choice.font
            color: Theme.text
            verticalAlignment: Text.AlignVCenter
        }
    }

    component ProfileChoice: ComboBox {
        id: combo
        textRole: "name"
        valueRole: "profileID"
        implicitHeight: Theme.fieldHeight
        font.pixelSize: Theme.bodyFontSize
        contentItem: Text {
            leftPadding: Theme.xLargeSpacing
            rightPadding: Theme.largeSpacing + Theme.iconSize + Theme.smallSpacing  // room for the arrow
            text: combo.displayText
            font: combo.font
            color: Theme.text
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
        indicator: Icon {
            symbol: "chevron-down"
            x: combo.width - width - Theme.largeSpacing
            anchors.verticalCenter: parent.verticalCenter
        }
        background: Rectangle {
            radius: Theme.mediumRadius
            color: combo.hovered ? Theme.buttonHover : Theme.surface2
            border.width: 1
            border.color: combo.visualFocus ? Theme.ember : Theme.btnBorder
        }
        delegate: AppMenuItem {
            required property string name
            required property int index
            width: combo.width // qmllint disable unqualified
            text: name
            highlighted: combo.highlightedIndex === index // qmllint disable unqualified
        }
        popup.background: Rectangle {
            radius: Theme.controlRadius
            color: Theme.surface2
            border.width: 1
            border.color: Theme.btnBorder
        }
    }
}
