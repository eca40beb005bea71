import QtQuick
import Quernhold

// The right-hand pane: the selected profile's header, banners, its installed mods, the catalogue
// (by `tab`: 0 installed, 1 browse), and its footer.
Rectangle {
    id: pane
    required property AppState app
    // Read once per change of the record: each read of `profile` makes a copy of it.
    readonly property bool hasProfile: !!app.selection.profile
    color: Theme.bg

    Text {
        objectName: "pane.empty"
        anchors.centerIn: parent
        visible: !pane.hasProfile
        text: qsTr("Create a profile to get started.")
        color: Theme.muted
        font.pixelSize: Theme.bodyFontSize
    }

    // Anchored, each part below the one before: the body starts where the banners end, whatever
    // they measured before.
    Item {
        anchors.fill: parent
        visible: pane.hasProfile

        DetailHeader {
            id: header
            objectName: "header"
            anchors.left: parent.left
            anchors.right: parent.right
            height: implicitHeight
            app: pane.app
        }
        BannerStack {
            id: banners
            objectName: "banners"
            anchors.top: header.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.leftMargin: Theme.pageMargin
            anchors.rightMargin: Theme.pageMargin
            app: pane.app
        }
        Loader {
            objectName: "pane.body"
            anchors.top: banners.bottom
            anchors.bottom: footer.top
            anchors.left: parent.left
            anchors.right: parent.right
            active: pane.hasProfile
            sourceComponent: pane.app.window.tab === DetailTab.Browse ? browse : installed
        }
        Footer {
            id: footer
            objectName: "footer"
            anchors.bottom: parent.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            height: implicitHeight
            app: pane.app
        }
    }

    // Qt 6.4 cannot bind a loader's component to this file's scope, and its qmllint cannot see
    // ids outside a component; the lines that use one say so.
    Component { id: installed; InstalledView { objectName: "installed"; app: pane.app } } // qmllint disable unqualified
    Component { id: browse; BrowseView { objectName: "browse"; app: pane.app } } // qmllint disable unqualified
}
