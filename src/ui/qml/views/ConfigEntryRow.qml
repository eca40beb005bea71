import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// One setting: its key, description and default on the left; on the right the control its type
// calls for. Every change goes straight to the editor, which refuses values that do not fit.
Item {
    id: row
    required property ConfigEditor config
    required property int index
    required property string key
    required property string value
    required property string description
    required property string typeName
    required property int control
    required property real minimum
    required property real maximum
    required property bool whole
    required property var choices
    required property var parts
    required property string defaultValue
    required property bool hasDefault
    required property bool isDefault
    required property bool changed

    objectName: "config.entry." + key
    implicitHeight: Math.max(info.height, control.height) + 24

    Rectangle {
        anchors.fill: parent
        anchors.margins: 1
        color: row.config.focusRow === row.index ? Theme.alpha(Theme.ember, 0.08) : "transparent"
    }

    // Positioners rather than layouts: wrapped descriptions take their real height.
    Column {
        id: info
        x: 14
        y: 12
        width: row.width - 28 - 18 - control.width
        spacing: 3
        Row {
            spacing: 6
            Text {
                width: Math.min(implicitWidth, info.width - 12)
                text: row.key
                textFormat: Text.PlainText
                color: Theme.text
                font.pixelSize: 13
                font.weight: Font.DemiBold
                elide: Text.ElideRight
            }
            Rectangle {
                objectName: "config.changed"
                anchors.verticalCenter: parent.verticalCenter
                visible: row.changed
                width: 6; height: 6; radius: 3
                color: Theme.emberHi
            }
        }
        Text {
            width: info.width
            visible: row.description !== ""
            text: row.description
            textFormat: Text.PlainText
            color: Theme.muted
            font.pixelSize: 12
            wrapMode: Text.Wrap
        }
        Flow {
            width: info.width
            spacing: 10
            visible: row.hasDefault || row.typeName !== ""
            Text {
                width: Math.min(implicitWidth, info.width)
                text: [row.typeName, row.hasDefault ? "Default: " + (row.defaultValue !== "" ? row.defaultValue : "empty") : ""]
                    .filter((part) => part !== "").join(" · ")
                textFormat: Text.PlainText
                color: Theme.faint
                font.pixelSize: 11
                elide: Text.ElideRight
            }
            LinkButton {
                objectName: "config.reset"
                visible: row.hasDefault && !row.isDefault
                text: "Reset to default"
                font.pixelSize: 11
                onClicked: row.config.resetToDefault(row.index)
            }
        }
    }

    Loader {
        id: control
        objectName: "config.control"
        x: row.width - 14 - width
        y: Math.max(12, (row.height - height) / 2)
        width: 300
        sourceComponent: {
            switch (row.control) {
            case ConfigControl.Toggle: return toggle
            case ConfigControl.Number: return numberField
            case ConfigControl.Slider: return slider
            case ConfigControl.Choice: return choice
            case ConfigControl.Flags: return flags
            default: return textField
            }
        }
    }

    Component {
        id: textField
        ValueField {}
    }
    Component {
        id: numberField
        Item {
            implicitHeight: number.implicitHeight
            ValueField { id: number; width: 140 }
        }
    }
    Component {
        id: toggle
        Item {
            implicitHeight: 20
            ToggleSwitch {
                objectName: "config.toggle"
                anchors.left: parent.left
                checked: row.value.toLowerCase() === "true"
                Accessible.name: row.key
                onToggled: {
                    const wanted = checked
                    checked = Qt.binding(() => row.value.toLowerCase() === "true")
                    row.config.setValue(row.index, wanted ? "true" : "false")
                }
            }
        }
    }
    Component {
        id: slider
        RowLayout {
            spacing: 10
            ValueSlider {
                Layout.fillWidth: true
                from: row.minimum
                to: row.maximum
                whole: row.whole
                value: Number(row.value)
                onPicked: (text) => row.config.setValue(row.index, text)
            }
            ValueField { Layout.preferredWidth: 80; Layout.fillWidth: false }
        }
    }
    Component {
        id: choice
        Item {
            implicitHeight: menu.implicitHeight
            ChoiceMenu {
                id: menu
                objectName: "config.choice"
                implicitWidth: 200
                model: row.choices
                currentIndex: row.choices.findIndex((c) => c.toLowerCase() === row.value.toLowerCase())
                onActivated: (i) => row.config.setValue(row.index, row.choices[i])
            }
        }
    }
    Component {
        id: flags
        Flow {
            objectName: "config.flags"
            spacing: 6
            Repeater {
                model: row.choices
                FlagChip {
                    required property string modelData
                    text: modelData
                    checked: row.parts.some((p) => p.toLowerCase() === modelData.toLowerCase())
                    onClicked: row.config.setFlag(row.index, modelData, !checked)
                }
            }
        }
    }

    // A field for the value; what does not fit the type stays in the field with the reason under it.
    component ValueField: ColumnLayout {
        spacing: 3
        AppTextField {
            id: field
            objectName: "config.field"
            Layout.fillWidth: true
            implicitHeight: 28
            font.pixelSize: 12
            text: row.value
            Accessible.name: row.key
            readonly property string problem: row.config.valueProblem(row.index, text)
            onTextEdited: if (problem === "") row.config.setValue(row.index, text)
            onEditingFinished: if (problem !== "") text = Qt.binding(() => row.value)
            background: Rectangle {
                radius: 6
                color: Theme.surface2
                border.width: 1
                border.color: field.problem !== "" ? Theme.blood : field.activeFocus ? Theme.ember : Theme.btnBorder
            }
        }
        Text {
            objectName: "config.problem"
            Layout.fillWidth: true
            visible: field.problem !== ""
            text: field.problem
            color: Theme.blood
            font.pixelSize: 11
            wrapMode: Text.Wrap
        }
    }

    // One part of a combined value, lit while it is part of it.
    component FlagChip: AbstractButton {
        id: chip
        hoverEnabled: true
        checkable: false
        leftPadding: 9
        rightPadding: 9
        topPadding: 3
        bottomPadding: 3
        Accessible.name: text
        contentItem: Text {
            text: chip.text
            color: chip.checked ? Theme.emberHi : Theme.muted
            font.pixelSize: 11
            font.weight: Font.DemiBold
        }
        background: Rectangle {
            radius: height / 2
            color: chip.checked ? Theme.alpha(Theme.ember, 0.18) : chip.hovered ? Theme.surface2 : "transparent"
            border.width: 1
            border.color: chip.checked ? "transparent" : Theme.line
        }
    }
}
