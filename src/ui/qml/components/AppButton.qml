import QtQuick
import QtQuick.Controls
import Quernhold

// The app's button look in four kinds: "normal", "ghost", "play" and "subtle". `iconName` names a
// bundled icon shown before the title. `isDefault` marks a sheet's main button (Return).
Button {
    id: button
    property string kind: "normal"
    property bool active: false
    property string iconName
    property bool isDefault: false
    property string tip
    property bool destructive: false  // its title in the error colour

    readonly property bool isPlay: kind === "play"
    readonly property bool lit: enabled && hovered

    implicitHeight: isPlay ? Theme.playButtonHeight : kind === "subtle" ? Theme.compactControlHeight : Theme.buttonHeight
    leftPadding: isPlay ? 20 : kind === "subtle" ? 10 : 12
    rightPadding: leftPadding
    topPadding: 0
    bottomPadding: 0
    spacing: Theme.mediumSpacing
    hoverEnabled: true
    focusPolicy: Qt.TabFocus
    opacity: !enabled && !isPlay ? 0.45 : 1

    font.pixelSize: isPlay ? 14 : kind === "subtle" ? 12 : 13
    font.weight: isPlay ? Font.Bold : Font.Medium

    readonly property color textColor: isPlay ? (enabled ? Theme.playText : Theme.muted)
        : kind === "ghost" ? (active || lit ? Theme.text : Theme.muted)
        : destructive ? Theme.blood
        : Theme.text

    icon.source: iconName ? Theme.icon(iconName) : ""
    icon.color: textColor
    icon.width: Theme.mediumIconSize
    icon.height: Theme.mediumIconSize

    ToolTip.visible: tip.length > 0 && hovered
    ToolTip.text: tip
    ToolTip.delay: Theme.toolTipDelay
    Accessible.name: text.length > 0 ? text : tip

    contentItem: Row {
        spacing: button.spacing
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            visible: button.iconName.length > 0
            symbol: button.iconName
            color: button.textColor
            size: button.icon.width
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            visible: text.length > 0
            text: button.text
            font: button.font
            color: button.textColor
            elide: Text.ElideRight
        }
    }

    background: Item {
        implicitHeight: button.implicitHeight

        // The play button's ember shadow (blur 10, 4 down), built from soft layers so that it draws
        // without shader effects.
        Repeater {
            objectName: "button.shadow"
            model: button.isPlay && button.enabled ? 5 : 0
            Rectangle {
                required property int index
                x: -index * 2; y: 4 - index * 2
                width: parent.width + index * 4
                height: parent.height + index * 4
                radius: Theme.controlRadius + index * 2
                color: Theme.alpha(Theme.ember, 0.45 / 5 * (1 - index / 5))
            }
        }
        Rectangle {
            objectName: "button.shape"
            anchors.fill: parent
            radius: Theme.controlRadius
            border.width: 1
            border.color: button.isPlay ? (button.enabled ? Theme.playBorder : Theme.btnBorder)
                : button.kind === "ghost" ? (button.active ? Theme.btnBorder : "transparent")
                : button.isDefault && button.enabled ? Theme.ember
                : Theme.btnBorder
            color: button.isPlay ? (button.enabled ? "transparent" : Theme.playDisabled)
                : button.kind === "ghost" ? (button.active || button.lit ? Theme.surface2 : "transparent")
                : button.down ? Theme.line
                : button.lit ? Theme.buttonHover
                : Theme.surface2
            gradient: button.isPlay && button.enabled ? playGradient : null
        }
        FocusRing { control: button }
    }
    // Outside the background, which an id inside would make no longer deferred.
    Gradient {
        id: playGradient
        GradientStop {
            position: 0
            color: button.down ? Theme.ember : button.hovered ? Theme.playHover : Theme.emberHi
        }
        GradientStop { position: 1; color: Theme.ember }
    }
}
