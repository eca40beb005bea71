import QtQuick
import QtQuick.Layouts
import Quernhold

// The loader pack of the selected profile as a row: who makes it, its version and status.
Item {
    id: row
    required property AppState app
    // The catalogue's entry for the pack, looked up again whenever the index or profiles change.
    readonly property var pack: app.catalogue.loaderPackage

    implicitHeight: layout.implicitHeight + 20

    RowLayout {
        id: layout
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        anchors.topMargin: 10
        anchors.bottomMargin: 10
        spacing: 12

        ModIcon { url: row.pack ? row.pack.icon : ""; title: "B" }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.preferredWidth: 0  // the room left beside the icon and controls, whatever the texts' length
            spacing: 2
            Text {
                Layout.fillWidth: true
                text: "BepInEx Pack for Valheim"
                color: Theme.text
                font.pixelSize: 14  // 13.5 in points
                font.weight: Font.DemiBold
                elide: Text.ElideRight
            }
            Text {
                Layout.fillWidth: true
                text: "by denikson · required for every mod"
                color: Theme.muted
                font.pixelSize: 12
                elide: Text.ElideRight
            }
        }
        VersionText {
            objectName: "loader.version"
            installed: row.app.selected ? row.app.selected.packInstalled : ""
            latest: row.pack ? row.pack.latest : ""
            status: row.app.packStatusSelected
        }
        StatusPill { objectName: "loader.status"; status: row.app.packStatusSelected }
    }
}
