import QtQuick
import QtQuick.Layouts
import Quernhold

// The right-hand pane: the selected profile's header, banners, its installed mods, the catalogue
// (by `tab`: 0 installed, 1 browse), and its footer.
Rectangle {
    id: pane
    required property AppState app
    color: Theme.bg

    Text {
        objectName: "pane.empty"
        anchors.centerIn: parent
        visible: !pane.app.selected
        text: "Create a profile to get started."
        color: Theme.muted
        font.pixelSize: 13
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0
        visible: !!pane.app.selected

        DetailHeader {
            objectName: "header"
            Layout.fillWidth: true
            app: pane.app
        }
        BannerStack {
            objectName: "banners"
            Layout.fillWidth: true
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            app: pane.app
        }
        Loader {
            objectName: "pane.body"
            Layout.fillWidth: true
            Layout.fillHeight: true
            active: !!pane.app.selected
            sourceComponent: [installed, browse][pane.app.tab]
        }
        Footer {
            objectName: "footer"
            Layout.fillWidth: true
            app: pane.app
        }
    }

    Component { id: installed; InstalledView { objectName: "installed"; app: pane.app } }
    Component { id: browse; BrowseView { objectName: "browse"; app: pane.app } }
}
