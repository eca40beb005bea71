pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Shapes
import Quernhold

// The selected profile's header: brand badge, name and counts, the game folder, the tab switch and
// "Share Code", over an ember glow from the top-left corner.
Item {
    id: header
    required property AppState app
    readonly property var profile: app.selection.profile

    implicitHeight: column.implicitHeight + Theme.headerMargin + Theme.sectionSpacing
    clip: true

    // The glow: ember at 10 % fading out over 460 from the top-left corner.
    RadialGlow { x: -460; y: -460; width: 920; height: 920 }

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.leftMargin: Theme.pageMargin
        anchors.rightMargin: Theme.pageMargin
        anchors.topMargin: Theme.headerMargin
        anchors.bottomMargin: Theme.sectionSpacing
        spacing: Theme.sectionSpacing

        RowLayout {
            Layout.fillWidth: true
            spacing: Theme.xxLargeSpacing

            Rectangle {
                implicitWidth: 40
                implicitHeight: 40
                radius: Theme.badgeRadius
                border.width: 1
                border.color: Qt.rgba(0.204, 0.231, 0.275, 1)
                gradient: Gradient {
                    GradientStop { position: 0; color: Qt.rgba(0.165, 0.184, 0.220, 1) }
                    GradientStop { position: 1; color: Qt.rgba(0.082, 0.094, 0.114, 1) }
                }
                RuneMark { anchors.centerIn: parent }
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: Theme.tinySpacing
                Text {
                    objectName: "header.name"
                    Layout.fillWidth: true
                    text: header.profile ? header.profile.name : ""
                    color: Theme.text
                    font.pixelSize: Theme.headingFontSize
                    font.weight: Font.DemiBold
                    elide: Text.ElideRight
                    maximumLineCount: 1
                }
                Text {
                    objectName: "header.summary"
                    text: header.profile ? PaneWording.summary(header.profile.modCount, header.profile.dependencyCount) : ""
                    color: Theme.muted
                    font.pixelSize: Theme.smallFontSize
                }
            }
            ColumnLayout {
                Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
                Layout.maximumWidth: 440
                spacing: Theme.smallSpacing
                SectionTitle { caption: qsTr("Game folder"); Layout.alignment: Qt.AlignRight }
                RowLayout {
                    Layout.alignment: Qt.AlignRight
                    spacing: Theme.largeSpacing
                    Text {
                        id: folder
                        objectName: "header.gameDir"
                        Layout.fillWidth: true
                        Layout.maximumWidth: 380
                        // A folder without the game is only a guess: it is not shown as the game's.
                        text: header.app.game.found ? PaneWording.shortPath(header.app.game.folder) : qsTr("Not set")
                        color: Theme.muted
                        font.pixelSize: Theme.smallFontSize  // 11.5 in points
                        elide: Text.ElideMiddle
                        maximumLineCount: 1
                        horizontalAlignment: Text.AlignRight
                        HoverHandler { id: folderHover }
                        ToolTip.visible: folderHover.hovered && header.app.game.found
                        ToolTip.text: header.app.game.folder
                        ToolTip.delay: Theme.toolTipDelay
                    }
                    LinkButton {
                        objectName: "header.changeFolder"
                        text: qsTr("Change")
                        enabled: header.app.activity.idle
                        onClicked: header.app.chooseGameFolder()
                    }
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: Theme.xxLargeSpacing
            TabSwitch {
                objectName: "header.tabs"
                Layout.preferredWidth: 220
                current: header.app.window.tab
                onChosen: (tab) => header.app.window.tab = tab
            }
            Item { Layout.fillWidth: true }
            AppButton {
                objectName: "header.history"
                kind: "subtle"
                text: qsTr("History")
                iconName: "history"
                tip: qsTr("See every change to this profile and go back to how it was before one")
                enabled: !header.app.window.sheetShown
                onClicked: header.app.window.open(WindowState.History)
            }
            AppButton {
                objectName: "header.share"
                kind: "subtle"
                text: qsTr("Share Code")
                iconName: "share"
                tip: qsTr("Create a code friends can paste into this app or r2modman to get the same mods and settings")
                enabled: header.app.activity.idle
                onClicked: header.app.transfer.shareCode(header.profile)
            }
        }
    }

    // A radial gradient, ember at 10 % in the middle to transparent at the edge.
    component RadialGlow: Shape {
        ShapePath {
            strokeWidth: -1
            fillGradient: RadialGradient {
                centerX: 460; centerY: 460; centerRadius: 460
                focalX: 460; focalY: 460
                GradientStop { position: 0; color: Theme.alpha(Theme.ember, 0.1) }
                GradientStop { position: 1; color: Theme.alpha(Theme.ember, 0) }
            }
            startX: 0; startY: 0
            PathLine { x: 920; y: 0 }
            PathLine { x: 920; y: 920 }
            PathLine { x: 0; y: 920 }
            PathLine { x: 0; y: 0 }
        }
    }

    // The segmented control of the tabs, a DetailTab each.
    component TabSwitch: Rectangle {
        id: tabs
        property int current: DetailTab.Installed
        signal chosen(int tab)
        implicitHeight: Theme.controlHeight
        radius: Theme.comboRadius
        color: Theme.surface
        border.width: 1
        border.color: Theme.btnBorder
        Row {
            anchors.fill: parent
            anchors.margins: Theme.tinySpacing
            Repeater {
                model: [{ tab: DetailTab.Installed, name: "Installed", label: qsTr("Installed") },
                        { tab: DetailTab.Browse, name: "Browse", label: qsTr("Browse") }]
                AbstractButton {
                    id: segment
                    required property var modelData
                    objectName: "header.tab." + modelData.name
                    width: parent.width / 2
                    height: parent.height
                    checkable: false
                    checked: tabs.current === modelData.tab
                    hoverEnabled: true
                    text: modelData.label
                    Accessible.name: text
                    onClicked: tabs.chosen(modelData.tab)
                    background: Rectangle {
                        radius: Theme.menuItemRadius
                        color: segment.checked ? Theme.surface2 : segment.hovered ? Theme.alpha(Theme.surface2, 0.5) : "transparent"
                        border.width: segment.checked ? 1 : 0
                        border.color: Theme.btnBorder
                        FocusRing { control: segment; radius: Theme.menuItemRadius + Theme.focusRingWidth }
                    }
                    contentItem: Text {
                        text: segment.text
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        color: segment.checked ? Theme.text : Theme.muted
                        font.pixelSize: Theme.smallFontSize
                        font.weight: Font.Medium
                    }
                }
            }
        }
    }
}
