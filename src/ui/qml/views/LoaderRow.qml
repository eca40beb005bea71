import QtQuick
import QtQuick.Layouts
import Quernhold

// The loader pack of the selected profile as a row: who makes it, its version and status.
Item {
    id: row
    required property AppState app
    // The catalogue's entry for the pack, looked up again whenever the index or profiles change.
    readonly property var pack: app.catalogue.loaderPackage

    implicitHeight: layout.implicitHeight + 2 * Theme.xLargeSpacing
    Accessible.role: Accessible.ListItem
    Accessible.name: packName.text

    RowLayout {
        id: layout
        anchors.fill: parent
        anchors.leftMargin: Theme.rowInset
        anchors.rightMargin: Theme.rowInset
        anchors.topMargin: Theme.xLargeSpacing
        anchors.bottomMargin: Theme.xLargeSpacing
        spacing: Theme.xxLargeSpacing

        ModIcon { url: row.pack ? row.pack.icon : ""; title: qsTr("B") }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.preferredWidth: 0  // the room left beside the icon and controls, whatever the texts' length
            spacing: Theme.tinySpacing
            Text {
                id: packName
                Layout.fillWidth: true
                text: qsTr("BepInEx Pack for Valheim")
                color: Theme.text
                font.pixelSize: Theme.titleFontSize
                font.weight: Font.DemiBold
                elide: Text.ElideRight
            }
            Text {
                Layout.fillWidth: true
                text: qsTr("by denikson · required for every mod")
                color: Theme.muted
                font.pixelSize: Theme.smallFontSize
                elide: Text.ElideRight
            }
        }
        VersionText {
            objectName: "loader.version"
            installed: row.app.selection.profile?.packInstalled ?? ""
            latest: row.pack ? row.pack.latest : ""
            status: row.app.selection.packStatus
        }
        StatusPill { objectName: "loader.status"; status: row.app.selection.packStatus }
    }
}
