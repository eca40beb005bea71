import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// One package in detail: header with counts, description, README, categories, what it brings
// along, and add or remove by its place in the selected profile. `pkg` is a copy taken when the
// sheet was opened.
SheetFrame {
    id: sheet
    required property var pkg
    // Re-read whenever the profiles change.
    readonly property int place: (app.selected, app.packageState(pkg.fullName))
    readonly property string also: PaneWording.alsoInstalls(pkg.dependencies)
    readonly property bool idle: app.activity.idle

    objectName: "sheet.package"
    title: pkg.displayName
    sheetWidth: 520

    Component.onCompleted: app.catalogue.readmes.show(pkg.owner, pkg.name, pkg.latest)
    onAccept: if (place === PackageListModel.NotInProfile && idle) add()

    function add() {
        sheet.app.add(sheet.pkg)
        sheet.close()
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 16
        ModIcon {
            Layout.alignment: Qt.AlignTop
            url: sheet.pkg.icon
            title: sheet.pkg.displayName
            size: 84
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignTop
            spacing: 6
            Text {
                Layout.fillWidth: true
                text: "by " + sheet.pkg.owner
                color: Theme.muted
                font.pixelSize: 13
                elide: Text.ElideRight
            }
            Row {
                spacing: 12
                CountLabel { pixelSize: 12; symbol: "circle-arrow-down"; text: Fmt.count(sheet.pkg.downloads) }
                CountLabel { pixelSize: 12; symbol: "thumb-up"; text: String(sheet.pkg.rating) }
                CountLabel { pixelSize: 12; text: "v" + sheet.pkg.latest }
            }
            Text {
                text: "Updated " + Fmt.ago(sheet.pkg.updated)
                color: Theme.text
                font.pixelSize: 12
            }
            Pill {
                objectName: "sheet.package.deprecated"
                visible: sheet.pkg.deprecated
                text: "Deprecated by its author"
                fg: Theme.blood
                bg: Theme.alpha(Theme.blood, 0.14)
            }
        }
    }

    ScrollView {
        id: scroller
        objectName: "sheet.package.scroll"
        Layout.fillWidth: true
        Layout.preferredHeight: Math.min(details.implicitHeight, Math.max(120, sheet.parent ? sheet.parent.height - 330 : 360))
        contentWidth: availableWidth
        clip: true
        ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

        ColumnLayout {
            id: details
            width: scroller.availableWidth
            spacing: 12

            TextEdit {
                objectName: "sheet.package.description"
                Layout.fillWidth: true
                text: sheet.pkg.description
                textFormat: TextEdit.PlainText
                readOnly: true
                selectByMouse: true
                wrapMode: TextEdit.Wrap
                color: Theme.text
                selectionColor: Theme.alpha(Theme.ember, 0.45)
                font.pixelSize: 13
            }
            Text {
                objectName: "sheet.package.categories"
                Layout.fillWidth: true
                visible: sheet.pkg.categories.length > 0
                text: sheet.pkg.categories.join(" · ")
                color: Theme.faint
                font.pixelSize: 11
                wrapMode: Text.Wrap
            }
            ColumnLayout {
                Layout.fillWidth: true
                visible: sheet.also !== ""
                spacing: 4
                Text { text: "Also installs"; color: Theme.text; font.pixelSize: 12; font.weight: Font.DemiBold }
                Text {
                    objectName: "sheet.package.also"
                    Layout.fillWidth: true
                    text: sheet.also
                    color: Theme.muted
                    font.pixelSize: 12
                    wrapMode: Text.Wrap
                }
            }
            // The README of the latest version, when the catalogue has one.
            Spinner {
                objectName: "sheet.package.readmeLoading"
                visible: sheet.app.catalogue.readmes.loading
            }
            Rectangle {
                Layout.fillWidth: true
                visible: readme.visible || noReadme.visible
                implicitHeight: 1
                color: Theme.line
            }
            Text {
                id: noReadme
                objectName: "sheet.package.noReadme"
                visible: sheet.app.catalogue.readmes.missing
                text: "No README."
                color: Theme.muted
                font.pixelSize: 12
            }
            Text {
                id: readme
                objectName: "sheet.package.readme"
                Layout.fillWidth: true
                visible: !sheet.app.catalogue.readmes.missing && text !== ""
                text: PaneWording.readmeText(sheet.app.catalogue.readmes.markdown)
                textFormat: Text.MarkdownText
                wrapMode: Text.Wrap
                color: Theme.text
                linkColor: Theme.emberHi
                font.pixelSize: 12
                onLinkActivated: (link) => { if (PaneWording.isWebLink(link)) sheet.app.openURL(link) }
                HoverHandler { cursorShape: readme.hoveredLink ? Qt.PointingHandCursor : Qt.ArrowCursor }
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        AppButton {
            objectName: "sheet.package.view"
            text: "View on Thunderstore"
            iconName: "external-link"
            onClicked: sheet.app.openURL(PaneWording.pageURL(sheet.pkg.owner, sheet.pkg.name))
        }
        Item { Layout.fillWidth: true }
        Text {
            objectName: "sheet.package.dependency"
            visible: sheet.place === PackageListModel.AsDependency
            text: "Installed as a dependency"
            color: Theme.muted
            font.pixelSize: 12
        }
        AppButton {
            objectName: "sheet.package.remove"
            visible: sheet.place === PackageListModel.InProfile
            text: "Remove from Profile"
            enabled: sheet.idle
            destructive: true
            onClicked: {
                const mod = sheet.app.profileMod(sheet.pkg.fullName)
                if (mod) sheet.app.remove(mod)
                sheet.close()
            }
        }
        AppButton {
            objectName: "sheet.package.add"
            visible: sheet.place === PackageListModel.NotInProfile
            text: PaneWording.addTo(sheet.app.selected ? sheet.app.selected.name : "")
            isDefault: true
            enabled: sheet.idle
            onClicked: sheet.add()
        }
        AppButton {
            objectName: "sheet.package.close"
            text: "Close"
            onClicked: sheet.close()
        }
    }
}
