import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The profiles, the context menu of each, and the buttons that make new ones.
Rectangle {
    id: sidebar
    required property AppState app
    // The profile whose deletion waits for confirmation.
    property var confirmDelete: null
    // The profile the context menu was opened for.
    property var menuProfile: null
    // The window holds the file chooser; it answers this.
    signal exportFileRequested(var profile)

    color: Theme.surface

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        SectionTitle {
            caption: qsTr("Profiles")
            Layout.leftMargin: Theme.largeSpacing + Theme.xLargeSpacing  // in line with the rows' names
            Layout.topMargin: Theme.groupSpacing
            Layout.bottomMargin: Theme.mediumSpacing
        }

        ListView {
            id: list
            objectName: "sidebar.list"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.leftMargin: Theme.largeSpacing
            Layout.rightMargin: Theme.largeSpacing
            clip: true
            model: sidebar.app.profiles
            activeFocusOnTab: true
            // A click gives the list the keys, as in a Mac sidebar, without the ring a Tab draws.
            property bool focusFromClick: false
            onActiveFocusChanged: if (!activeFocus) focusFromClick = false
            currentIndex: sidebar.app.selection.index
            // Up and down select the previous and next profile, as a click would (unsaved settings ask first).
            keyNavigationEnabled: false
            Keys.onUpPressed: sidebar.app.selectNext(-1)
            Keys.onDownPressed: sidebar.app.selectNext(1)
            boundsBehavior: Flickable.StopAtBounds
            Accessible.role: Accessible.List
            Accessible.name: qsTr("Profiles")
            ScrollBar.vertical: ScrollBar {}

            delegate: ProfileRow {
                id: profileRow
                // Qt 6.4 cannot bind a loader's component to this file's scope, and its qmllint cannot see
                // ids outside a component; the lines that use one say so.
                selected: profileRow.profileID === sidebar.app.selectedID // qmllint disable unqualified
                ringShown: list.activeFocus && !list.focusFromClick // qmllint disable unqualified
                onClicked: {
                    list.focusFromClick = true // qmllint disable unqualified
                    list.forceActiveFocus()
                    sidebar.app.selectedID = profileRow.profileID
                }
                onMenuRequested: (x, y) => {
                    sidebar.menuProfile = profileRow.profile
                    menu.openAt(profileRow, x, y, y)
                }
            }
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.margins: Theme.xxLargeSpacing
            spacing: Theme.mediumSpacing
            AppButton {
                objectName: "sidebar.newProfile"
                Layout.fillWidth: true
                kind: "subtle"
                text: qsTr("New Profile")
                iconName: "plus"
                onClicked: sidebar.app.window.open(WindowState.NewProfile)
            }
            AppButton {
                objectName: "sidebar.importCode"
                Layout.fillWidth: true
                kind: "subtle"
                text: qsTr("Import Code")
                iconName: "download"
                onClicked: sidebar.app.window.open(WindowState.Import)
            }
        }
    }

    Rectangle { anchors.right: parent.right; width: 1; height: parent.height; color: Theme.line }

    AppMenu {
        id: menu
        objectName: "sidebar.menu"
        AppMenuItem {
            objectName: "sidebar.menu.rename"
            text: qsTr("Rename…")
            onTriggered: sidebar.app.window.open(WindowState.Rename, sidebar.menuProfile)
        }
        AppMenuItem {
            objectName: "sidebar.menu.duplicate"
            text: qsTr("Duplicate")
            onTriggered: sidebar.app.duplicate(sidebar.menuProfile)
        }
        AppMenuItem {
            objectName: "sidebar.menu.share"
            text: qsTr("Share Profile Code…")
            enabled: sidebar.app.activity.idle
            onTriggered: sidebar.app.transfer.shareCode(sidebar.menuProfile)
        }
        AppMenuItem {
            objectName: "sidebar.menu.export"
            text: qsTr("Export Profile File…")
            enabled: sidebar.app.activity.idle
            onTriggered: sidebar.exportFileRequested(sidebar.menuProfile)
        }
        AppMenuItem {
            objectName: "sidebar.menu.reveal"
            text: qsTr("Show in Finder")
            onTriggered: sidebar.app.reveal(sidebar.menuProfile.dir)
        }
        MenuSeparator {
            contentItem: Rectangle { implicitHeight: 1; color: Theme.btnBorder }
        }
        AppMenuItem {
            objectName: "sidebar.menu.delete"
            text: qsTr("Delete Profile")
            destructive: true
            enabled: sidebar.app.activity.idle
            onTriggered: sidebar.confirmDelete = sidebar.menuProfile
        }
    }

    Loader {
        active: sidebar.confirmDelete !== null
        sourceComponent: ConfirmDialog {
            objectName: "sidebar.confirmDelete"
            name: "sidebar.confirmDelete"
            title: qsTr("Delete “%1”?").arg(sidebar.confirmDelete?.name ?? "") // qmllint disable unqualified
            message: qsTr("Its mods and their settings are removed from this Mac. This can’t be undone.")
            actionText: qsTr("Delete Profile")
            onConfirmed: sidebar.app.deleteProfile(sidebar.confirmDelete) // qmllint disable unqualified
            onClosed: sidebar.confirmDelete = null // qmllint disable unqualified
        }
    }
}
