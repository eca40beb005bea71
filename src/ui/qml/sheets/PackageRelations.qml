pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Quernhold

// Why an installed mod is in the profile: the mods that need it, directly or through others, and
// what it needs itself, each with whether it is there and on. A name picks that mod in the list.
ColumnLayout {
    id: relations
    required property AppState app
    required property string fullName
    readonly property var found: (app.selection.profile, app.selection.relations(fullName))
    readonly property var neededBy: found.neededBy || []
    readonly property var needs: found.needs || []

    visible: neededBy.length > 0 || needs.length > 0
    spacing: Theme.largeSpacing

    function pick(key) {
        app.modSelection.click(key)
        app.window.close(WindowState.Package)
        app.window.tab = DetailTab.Installed
    }

    ColumnLayout {
        visible: relations.neededBy.length > 0
        spacing: Theme.smallSpacing
        Text { text: qsTr("Needed by"); color: Theme.text; font.pixelSize: Theme.smallFontSize; font.weight: Font.DemiBold }
        Flow {
            objectName: "sheet.package.neededBy"
            Layout.fillWidth: true
            spacing: Theme.largeSpacing
            Repeater {
                model: relations.neededBy
                LinkButton {
                    id: neededByLink
                    required property var modelData
                    text: neededByLink.modelData.name
                    onClicked: relations.pick(neededByLink.modelData.key)
                }
            }
        }
    }
    ColumnLayout {
        visible: relations.needs.length > 0
        spacing: Theme.smallSpacing
        Text { text: qsTr("Needs"); color: Theme.text; font.pixelSize: Theme.smallFontSize; font.weight: Font.DemiBold }
        Repeater {
            objectName: "sheet.package.needs"
            model: relations.needs
            RowLayout {
                id: need
                required property var modelData
                spacing: Theme.mediumSpacing
                LinkButton {
                    text: need.modelData.name
                    enabled: need.modelData.version !== ""
                    onClicked: relations.pick(need.modelData.key)
                }
                Text {
                    text: need.modelData.version === "" ? qsTr("missing")
                          : need.modelData.enabled ? need.modelData.version
                          : qsTr("%1 · off").arg(need.modelData.version)
                    color: need.modelData.version === "" || !need.modelData.enabled ? Theme.blood : Theme.muted
                    font.pixelSize: Theme.smallFontSize
                }
            }
        }
    }
}
