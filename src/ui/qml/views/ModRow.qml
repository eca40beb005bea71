import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// One mod of the selected profile: icon, name (opens its sheet when the catalogue knows it),
// pills, version and status, the on/off switch and a menu. Rows of ModListModel.
ItemDelegate {
    id: row
    required property AppState app
    required property int index
    // The roles of ModListModel the row shows.
    required property var mod
    required property string modID
    required property string ns
    required property string name
    required property string displayName
    required property string installed
    required property string latest
    required property bool modEnabled
    required property int status
    required property var entry  // the catalogue's package, or null when it does not know the mod
    required property bool deprecated
    required property string iconUrl
    required property bool fromFile
    required property string byline  // who made it, and whether it came from a file
    required property string removeBlock  // why it cannot be removed, or empty
    required property string offQuestion  // what turning it off asks first, or empty
    required property bool held  // kept at `heldVersion`: no update is offered
    required property string heldVersion
    required property bool picked  // among the rows picked for a command on several mods
    required property string neededByLine  // an automatic dependency's "Needed by PlanBuild"
    // The row menu's commands act on all the picked rows when this row is one of several.
    readonly property bool many: picked && app.modSelection.count > 1
    // Asked for only while the menu shows: a bulk change would otherwise ask once per row.
    readonly property var manyOffers: many && menu.visible ? app.modSelection.offers : []
    required property bool olderThanGame  // its newest version predates the game's last update
    readonly property bool known: !!entry
    property bool askingOff: false
    property bool askingUpdate: false
    readonly property bool idle: app.selection.canChange  // the profile can be changed now

    objectName: "modRow." + row.name
    leftPadding: Theme.rowInset
    rightPadding: Theme.rowInset
    topPadding: Theme.xLargeSpacing + topInset
    bottomPadding: Theme.xLargeSpacing
    focusPolicy: Qt.NoFocus  // its switch, name and menu take the focus
    Accessible.name: displayName
    Accessible.selectable: true
    Accessible.selected: picked
    // Lit while the pointer is over the row or anything in it.
    HoverHandler { id: hover }
    // The line above every row but the first lies inside it.
    topInset: index > 0 ? 1 : 0
    background: Rectangle { color: row.picked ? Theme.alpha(Theme.ember, 0.16) : hover.hovered ? Theme.surface2 : "transparent" }
    // A click picks the row, ⌘-click adds or drops it, ⇧-click picks the rows up to it.
    TapHandler { acceptedModifiers: Qt.NoModifier; onTapped: row.app.modSelection.click(row.modID) }
    TapHandler { acceptedModifiers: Qt.ControlModifier; onTapped: row.app.modSelection.toggle(row.modID) }
    TapHandler { acceptedModifiers: Qt.ShiftModifier; onTapped: row.app.modSelection.extendTo(row.modID) }
    RowDivider { visible: row.index > 0; anchors.top: parent.top }

    // Declared here rather than in place: the ids inside would make it no longer deferred.
    contentItem: layout
    RowLayout {
        id: layout
        spacing: Theme.xxLargeSpacing

        ModIcon { url: row.iconUrl; title: row.displayName; dimmed: !row.modEnabled }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.preferredWidth: 0  // the room left beside the icon and controls, whatever the texts' length
            spacing: Theme.tinySpacing
            // Name and pills on one line; the name gives way to the pills.
            Item {
                Layout.fillWidth: true
                Layout.preferredWidth: 0
                implicitHeight: nameLine.height
                Row {
                    id: nameLine
                    width: parent.width
                    // As tall with a pill as without: a row turned off keeps its height.
                    height: Math.max(name.implicitHeight, disabledPill.implicitHeight)
                    spacing: Theme.mediumSpacing
                    readonly property real pillRoom: (deprecatedPill.visible ? deprecatedPill.width + spacing : 0)
                                                     + (disabledPill.visible ? disabledPill.width + spacing : 0)
                    Text {
                        id: name
                        objectName: "modRow.name"
                        // A plain button: opens the sheet when the catalogue knows the mod.
                        signal clicked()
                        anchors.verticalCenter: parent.verticalCenter
                        width: Math.min(implicitWidth, nameLine.width - nameLine.pillRoom)
                        text: row.displayName
                        color: row.modEnabled ? Theme.text : Theme.muted
                        font.pixelSize: Theme.titleFontSize
                        font.weight: Font.DemiBold
                        font.underline: row.known && nameHover.hovered
                        elide: Text.ElideRight
                        maximumLineCount: 1
                        Accessible.role: Accessible.Button
                        Accessible.name: row.displayName
                        HoverHandler { id: nameHover; enabled: row.known; cursorShape: Qt.PointingHandCursor }
                        // Takes the press from the row beneath it.
                        // With ⌘ or ⇧ held, the click picks rows instead.
                        TapHandler { gesturePolicy: TapHandler.ReleaseWithinBounds; acceptedModifiers: Qt.NoModifier; onTapped: name.clicked() }
                        onClicked: if (row.known) row.app.window.open(WindowState.Package, row.entry)
                    }
                    Pill {
                        id: deprecatedPill
                        objectName: "modRow.deprecated"
                        anchors.verticalCenter: parent.verticalCenter
                        visible: row.known && row.deprecated
                        text: qsTr("Deprecated")
                        fg: Theme.blood
                        bg: Theme.alpha(Theme.blood, 0.14)
                    }
                    Pill {
                        id: disabledPill
                        objectName: "modRow.disabled"
                        anchors.verticalCenter: parent.verticalCenter
                        visible: !row.modEnabled
                        text: qsTr("Disabled")
                        fg: Theme.muted
                        border: Theme.line
                    }
                }
            }
            Text {
                Layout.fillWidth: true
                Layout.preferredWidth: 0
                objectName: "modRow.byline"
                text: row.neededByLine !== "" ? row.byline + " · " + row.neededByLine : row.byline
                color: Theme.muted
                font.pixelSize: Theme.smallFontSize
                elide: Text.ElideRight
            }
            Text {
                Layout.fillWidth: true
                Layout.preferredWidth: 0
                objectName: "modRow.olderThanGame"
                visible: row.olderThanGame
                text: qsTr("Older than the game’s last update")
                color: Theme.faint
                font.pixelSize: Theme.captionFontSize
                elide: Text.ElideRight
            }
        }
        VersionText {
            objectName: "modRow.version"
            installed: row.installed
            latest: row.latest
            status: row.status
        }
        Item {
            implicitWidth: 104
            implicitHeight: pill.implicitHeight
            StatusPill {
                id: pill
                objectName: "modRow.status"
                anchors.right: parent.right
                visible: !row.held && row.status !== ModStatus.UpdateAvailable
                status: row.status
            }
            UpdatePill {
                objectName: "modRow.updatePill"
                anchors.right: parent.right
                visible: !row.held && row.status === ModStatus.UpdateAvailable
                enabled: row.idle
                tip: qsTr("Update to %1").arg(row.latest)
                onClicked: row.app.review.updateOne(row.mod)
            }
            // In place of the status: a held mod is kept at its version, whatever comes out.
            Pill {
                id: heldPill
                objectName: "modRow.held"
                anchors.right: parent.right
                visible: row.held
                symbol: "lock"
                text: qsTr("Held")
                fg: Theme.text
                bg: Theme.surface2
                Accessible.role: Accessible.StaticText
                Accessible.name: qsTr("Held at %1").arg(row.heldVersion)
                HoverHandler { id: heldHover }
                ToolTip.visible: heldHover.hovered
                ToolTip.text: qsTr("Held at %1: updates pass it by").arg(row.heldVersion)
                ToolTip.delay: Theme.toolTipDelay
            }
        }
        ToggleSwitch {
            id: toggle
            objectName: "modRow.switch"
            checked: row.modEnabled
            enabled: row.idle
            // The switch shows the mod's state; turning it asks the state to change it.
            onToggled: {
                const wanted = checked
                checked = Qt.binding(() => row.modEnabled)
                if (!wanted && row.offQuestion !== "")
                    row.askingOff = true
                else
                    row.app.modController.setEnabled(row.mod, wanted)
            }
            tip: row.modEnabled ? qsTr("Enabled — turn off to keep it installed but not loaded") : qsTr("Disabled")
            Accessible.name: row.displayName
        }
        Button {
            id: menuButton
            objectName: "modRow.menu"
            enabled: row.idle
            padding: Theme.tinySpacing
            focusPolicy: Qt.TabFocus
            hoverEnabled: true
            Accessible.name: qsTr("More")
            ToolTip.visible: hovered
            ToolTip.text: qsTr("More")
            ToolTip.delay: Theme.toolTipDelay
            opacity: enabled ? 1 : 0.45
            contentItem: Icon { symbol: "dots"; color: menuButton.hovered ? Theme.text : Theme.muted }
            background: Item { FocusRing { control: menuButton; radius: Theme.smallRadius } }
            // Below the button (above it where there is no room), its right edge in line with the button's.
            onClicked: menu.openAt(menuButton, menuButton.width - menu.width, menuButton.height, 0)
        }
    }

    AppMenu {
        id: menu
        objectName: "modRow.menu.popup"
        // For several picked rows: the commands on all of them, in place of the row's own.
        AppMenuItem {
            objectName: "modRow.many.turnOn"
            text: qsTr("Turn On %n Mods", "", row.app.modSelection.count)
            readonly property bool offered: row.manyOffers.includes("turnOn")
            visible: offered
            height: visible ? implicitHeight : 0
            onTriggered: row.app.modSelection.turnOn()
        }
        AppMenuItem {
            objectName: "modRow.many.turnOff"
            text: qsTr("Turn Off %n Mods", "", row.app.modSelection.count)
            readonly property bool offered: row.manyOffers.includes("turnOff")
            visible: offered
            height: visible ? implicitHeight : 0
            onTriggered: row.app.modSelection.requestTurnOff()
        }
        AppMenuItem {
            objectName: "modRow.many.update"
            text: qsTr("Update %n Mods", "", row.app.modSelection.count)
            readonly property bool offered: row.manyOffers.includes("update")
            visible: offered
            height: visible ? implicitHeight : 0
            onTriggered: row.app.modSelection.update()
        }
        AppMenuItem {
            objectName: "modRow.many.hold"
            text: qsTr("Hold %n Mods", "", row.app.modSelection.count)
            readonly property bool offered: row.manyOffers.includes("hold")
            visible: offered
            height: visible ? implicitHeight : 0
            onTriggered: row.app.modSelection.hold()
        }
        AppMenuItem {
            objectName: "modRow.many.releaseHold"
            text: qsTr("Release Holds")
            readonly property bool offered: row.manyOffers.includes("releaseHold")
            visible: offered
            height: visible ? implicitHeight : 0
            onTriggered: row.app.modSelection.releaseHold()
        }
        AppMenuItem {
            objectName: "modRow.many.remove"
            text: qsTr("Remove %n Mods", "", row.app.modSelection.count)
            readonly property bool offered: row.many
            visible: offered
            height: visible ? implicitHeight : 0
            destructive: true
            onTriggered: row.app.modSelection.requestRemove()
        }
        AppMenuItem {
            objectName: "modRow.update"
            text: qsTr("Update to %1").arg(row.latest)
            readonly property bool offered: !row.many && (row.status === ModStatus.UpdateAvailable || (row.held && row.latest !== row.heldVersion))
            visible: offered
            height: visible ? implicitHeight : 0
            onTriggered: if (row.held) row.askingUpdate = true; else row.app.review.updateOne(row.mod)
        }
        AppMenuItem {
            objectName: "modRow.hold"
            text: row.held ? qsTr("Release Hold") : qsTr("Hold at %1").arg(row.installed !== "" ? row.installed : row.mod.version)
            readonly property bool offered: !row.many && !row.fromFile
            visible: offered
            height: visible ? implicitHeight : 0
            onTriggered: if (row.held) row.app.modController.releaseHold(row.mod); else row.app.modController.hold(row.mod)
        }
        AppMenuItem {
            objectName: "modRow.details"
            text: qsTr("Details")
            readonly property bool offered: !row.many && row.known
            visible: offered
            height: visible ? implicitHeight : 0
            onTriggered: row.app.window.open(WindowState.Package, row.entry)
        }
        AppMenuItem {
            objectName: "modRow.view"
            text: qsTr("View on Thunderstore")
            readonly property bool offered: !row.many && !row.fromFile
            visible: offered
            height: visible ? implicitHeight : 0
            onTriggered: row.app.openURL(PaneWording.pageURL(row.ns, row.mod.name))
        }
        MenuSeparator {
            // Only between items: a mod from a file has none above "Remove from Profile".
            visible: !row.many && !row.fromFile
            height: visible ? implicitHeight : 0
            contentItem: Rectangle { implicitHeight: 1; color: Theme.btnBorder }
        }
        AppMenuItem {
            objectName: "modRow.remove"
            text: qsTr("Remove from Profile")
            readonly property bool offered: !row.many
            visible: offered
            height: visible ? implicitHeight : 0
            destructive: true
            enabled: row.removeBlock === ""
            tip: row.removeBlock
            onTriggered: row.app.modController.remove(row.mod)
        }
    }

    Loader {
        active: row.askingUpdate
        sourceComponent: ConfirmDialog {
            objectName: "modRow.confirmUpdate"
            name: "modRow.confirmUpdate"
            // Qt 6.4 cannot bind a loader's component to this file's scope, and its qmllint cannot see
            // ids outside a component; the lines that use one say so.
            title: qsTr("Update %1 to %2?").arg(row.displayName).arg(row.latest) // qmllint disable unqualified
            message: qsTr("It’s held at %1. Updating releases the hold.").arg(row.heldVersion) // qmllint disable unqualified
            actionText: qsTr("Update")
            destructive: false
            onConfirmed: row.app.modController.update(row.mod) // qmllint disable unqualified
            onClosed: row.askingUpdate = false // qmllint disable unqualified
        }
    }
    Loader {
        active: row.askingOff
        sourceComponent: ConfirmDialog {
            objectName: "modRow.confirmOff"
            name: "modRow.confirmOff"
            title: row.offQuestion // qmllint disable unqualified
            // Wide enough for the question on one line, up to a point.
            sheetWidth: Math.min(600, Math.max(400, question.width + 60))
            TextMetrics { id: question; text: row.offQuestion; font.pixelSize: Theme.sheetTitleFontSize; font.weight: Font.DemiBold } // qmllint disable unqualified
            message: qsTr("It stays installed but isn’t loaded, and the mods that need it may not work.")
            actionText: qsTr("Turn Off")
            onConfirmed: row.app.modController.setEnabled(row.mod, false) // qmllint disable unqualified
            onClosed: row.askingOff = false // qmllint disable unqualified
        }
    }
}
