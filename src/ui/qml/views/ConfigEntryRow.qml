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
    required property int controlKind
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
    implicitHeight: Math.max(info.height, control.height) + 2 * Theme.xxLargeSpacing

    Rectangle {
        anchors.fill: parent
        anchors.margins: Theme.hairSpacing
        color: row.config.focusRow === row.index ? Theme.alpha(Theme.ember, 0.08) : "transparent"
    }

    // Positioners rather than layouts: wrapped descriptions take their real height.
    Column {
        id: info
        x: Theme.rowInset
        y: Theme.xxLargeSpacing
        width: row.width - 2 * Theme.rowInset - 18 - control.width  // 18 between the texts and the control
        spacing: Theme.xSmallSpacing
        Row {
            spacing: Theme.mediumSpacing
            Text {
                width: Math.min(implicitWidth, info.width - 12)
                text: row.key
                textFormat: Text.PlainText
                color: Theme.text
                font.pixelSize: Theme.bodyFontSize
                font.weight: Font.DemiBold
                elide: Text.ElideRight
            }
            Rectangle {
                objectName: "config.changed"
                anchors.verticalCenter: parent.verticalCenter
                visible: row.changed
                width: 6; height: 6; radius: width / 2
                color: Theme.emberHi
            }
        }
        Text {
            width: info.width
            visible: row.description !== ""
            text: row.description
            textFormat: Text.PlainText
            color: Theme.muted
            font.pixelSize: Theme.smallFontSize
            wrapMode: Text.Wrap
        }
        Flow {
            width: info.width
            spacing: Theme.xLargeSpacing
            visible: row.hasDefault || row.typeName !== ""
            Text {
                width: Math.min(implicitWidth, info.width)
                // The type and the default, each when known.
                readonly property string defaultText: !row.hasDefault ? ""
                    : qsTr("Default: %1").arg(row.defaultValue !== "" ? row.defaultValue : qsTr("empty"))
                text: row.typeName !== "" && defaultText !== "" ? row.typeName + " · " + defaultText : row.typeName + defaultText
                textFormat: Text.PlainText
                color: Theme.faint
                font.pixelSize: Theme.captionFontSize
                elide: Text.ElideRight
            }
            LinkButton {
                objectName: "config.reset"
                visible: row.hasDefault && !row.isDefault
                text: qsTr("Reset to default")
                font.pixelSize: Theme.captionFontSize
                onClicked: row.config.resetToDefault(row.index)
            }
        }
    }

    Loader {
        id: control
        objectName: "config.control"
        x: row.width - Theme.rowInset - width
        y: Math.max(Theme.xxLargeSpacing, (row.height - height) / 2)
        width: 300
        sourceComponent: {
            switch (row.controlKind) {
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
                // Qt 6.4 cannot bind a loader's component to this file's scope, and its qmllint cannot see
                // ids outside a component; the lines that use one say so.
                checked: row.value.toLowerCase() === "true" // qmllint disable unqualified
                Accessible.name: row.key // qmllint disable unqualified
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
            spacing: Theme.xLargeSpacing
            ValueSlider {
                Layout.fillWidth: true
                from: row.minimum // qmllint disable unqualified
                to: row.maximum // qmllint disable unqualified
                whole: row.whole // qmllint disable unqualified
                value: Number(row.value) // qmllint disable unqualified
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
                label: row.key // qmllint disable unqualified
                implicitWidth: 200
                model: row.choices // qmllint disable unqualified
                currentIndex: row.choices.findIndex((c) => c.toLowerCase() === row.value.toLowerCase()) // qmllint disable unqualified
                onActivated: (i) => row.config.setValue(row.index, row.choices[i])
            }
        }
    }
    Component {
        id: flags
        Flow {
            objectName: "config.flags"
            spacing: Theme.mediumSpacing
            Repeater {
                model: row.choices // qmllint disable unqualified
                FlagChip {
                    required property string modelData
                    text: modelData
                    checked: row.parts.some((p) => p.toLowerCase() === modelData.toLowerCase()) // qmllint disable unqualified
                    onClicked: row.config.setFlag(row.index, modelData, !checked) // qmllint disable unqualified
                }
            }
        }
    }

    // A field for the value; what does not fit the type stays in the field with the reason under it.
    component ValueField: ColumnLayout {
        spacing: Theme.xSmallSpacing
        AppTextField {
            id: field
            objectName: "config.field"
            Layout.fillWidth: true
            implicitHeight: Theme.controlHeight
            font.pixelSize: Theme.smallFontSize
            text: row.value // qmllint disable unqualified
            Accessible.name: row.key // qmllint disable unqualified
            readonly property string problem: row.config.valueProblem(row.index, text) // qmllint disable unqualified
            onTextEdited: if (problem === "") row.config.setValue(row.index, text) // qmllint disable unqualified
            onEditingFinished: if (problem !== "") text = Qt.binding(() => row.value)
            background: Rectangle {
                radius: Theme.mediumRadius
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
            font.pixelSize: Theme.captionFontSize
            wrapMode: Text.Wrap
        }
    }

    // One part of a combined value, lit while it is part of it.
    component FlagChip: AbstractButton {
        id: chip
        hoverEnabled: true
        checkable: false
        leftPadding: Theme.fieldPadding
        rightPadding: Theme.fieldPadding
        topPadding: Theme.xSmallSpacing
        bottomPadding: Theme.xSmallSpacing
        Accessible.name: text
        contentItem: Text {
            text: chip.text
            color: chip.checked ? Theme.emberHi : Theme.muted
            font.pixelSize: Theme.captionFontSize
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
