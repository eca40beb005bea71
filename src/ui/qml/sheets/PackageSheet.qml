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
    readonly property int place: (app.selection.profile, app.packageState(pkg.fullName))
    readonly property string also: PaneWording.alsoInstalls(pkg.dependencies)
    readonly property bool idle: app.selection.canChange  // the profile can be changed now
    // The version the profile holds it at, or empty; re-read when holds change.
    readonly property string heldAt: (app.selection.heldUpdates, app.selection.profile, app.modController.heldAt(pkg.fullName))

    objectName: "sheet.package"
    title: pkg.displayName
    sheetWidth: 520

    // The version the profile has installed, or empty.
    readonly property string installedAt: {
        const mod = (app.selection.profile, app.profileMod(pkg.fullName))
        return mod ? mod.installed : ""
    }
    // The changelog from the installed version on, when an update is there; else the whole.
    readonly property var changes: app.catalogue.changelogs.newerThan(app.catalogue.changelogs.markdown,
                                                                      installedAt !== pkg.latest ? installedAt : "")
    property bool wholeChangelog: false

    Component.onCompleted: {
        app.catalogue.readmes.show(pkg.owner, pkg.name, pkg.latest)
        app.catalogue.changelogs.show(pkg.owner, pkg.name, pkg.latest)
    }
    onAccept: if (place === PackageListModel.NotInProfile && idle) add()

    function add() {
        sheet.app.modController.add(sheet.pkg)
        sheet.close()
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.groupSpacing
        ModIcon {
            Layout.alignment: Qt.AlignTop
            url: sheet.pkg.icon
            title: sheet.pkg.displayName
            size: 84
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignTop
            spacing: Theme.mediumSpacing
            Text {
                Layout.fillWidth: true
                text: qsTr("by %1").arg(sheet.pkg.owner)
                color: Theme.muted
                font.pixelSize: Theme.bodyFontSize
                elide: Text.ElideRight
            }
            Row {
                spacing: Theme.xxLargeSpacing
                CountLabel { pixelSize: Theme.smallFontSize; symbol: "circle-arrow-down"; text: Fmt.count(sheet.pkg.downloads) }
                CountLabel { pixelSize: Theme.smallFontSize; symbol: "thumb-up"; text: String(sheet.pkg.rating) }
                CountLabel { pixelSize: Theme.smallFontSize; text: qsTr("v%1").arg(sheet.pkg.latest) }
            }
            Text {
                text: qsTr("Updated %1").arg(Fmt.ago(sheet.pkg.updated))
                color: Theme.text
                font.pixelSize: Theme.smallFontSize
            }
            Pill {
                objectName: "sheet.package.deprecated"
                visible: sheet.pkg.deprecated
                text: qsTr("Deprecated by its author")
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
            spacing: Theme.xxLargeSpacing

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
                font.pixelSize: Theme.bodyFontSize
            }
            Text {
                objectName: "sheet.package.categories"
                Layout.fillWidth: true
                visible: sheet.pkg.categories.length > 0
                text: sheet.pkg.categories.join(" · ")
                color: Theme.faint
                font.pixelSize: Theme.captionFontSize
                wrapMode: Text.Wrap
            }
            ColumnLayout {
                Layout.fillWidth: true
                visible: sheet.also !== ""
                spacing: Theme.smallSpacing
                Text { text: qsTr("Also installs"); color: Theme.text; font.pixelSize: Theme.smallFontSize; font.weight: Font.DemiBold }
                Text {
                    objectName: "sheet.package.also"
                    Layout.fillWidth: true
                    text: sheet.also
                    color: Theme.muted
                    font.pixelSize: Theme.smallFontSize
                    wrapMode: Text.Wrap
                }
            }
            PackageRelations {
                Layout.fillWidth: true
                app: sheet.app
                fullName: sheet.pkg.fullName
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
                text: qsTr("No README.")
                color: Theme.muted
                font.pixelSize: Theme.smallFontSize
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
                font.pixelSize: Theme.smallFontSize
                onLinkActivated: (link) => { if (PaneWording.isWebLink(link)) sheet.app.openURL(link) }
                HoverHandler { cursorShape: readme.hoveredLink ? Qt.PointingHandCursor : Qt.ArrowCursor }
            }
            // The changelog of the latest version: what is new since the installed one until "Show All".
            Rectangle {
                Layout.fillWidth: true
                implicitHeight: 1
                color: Theme.line
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: Theme.mediumSpacing
                Text { text: qsTr("Changelog"); color: Theme.text; font.pixelSize: Theme.smallFontSize; font.weight: Font.DemiBold }
                Spinner {
                    objectName: "sheet.package.changelogLoading"
                    visible: sheet.app.catalogue.changelogs.loading
                }
                Text {
                    objectName: "sheet.package.noChangelog"
                    visible: sheet.app.catalogue.changelogs.missing
                    text: qsTr("No changelog.")
                    color: Theme.muted
                    font.pixelSize: Theme.smallFontSize
                }
                Text {
                    id: changelog
                    objectName: "sheet.package.changelog"
                    Layout.fillWidth: true
                    visible: !sheet.app.catalogue.changelogs.missing && text !== ""
                    text: PaneWording.readmeText(sheet.wholeChangelog ? sheet.app.catalogue.changelogs.markdown : sheet.changes.markdown)
                    textFormat: Text.MarkdownText
                    wrapMode: Text.Wrap
                    color: Theme.text
                    linkColor: Theme.emberHi
                    font.pixelSize: Theme.smallFontSize
                    onLinkActivated: (link) => { if (PaneWording.isWebLink(link)) sheet.app.openURL(link) }
                    HoverHandler { cursorShape: changelog.hoveredLink ? Qt.PointingHandCursor : Qt.ArrowCursor }
                }
                LinkButton {
                    objectName: "sheet.package.changelogAll"
                    visible: sheet.changes.cut && !sheet.wholeChangelog
                    text: qsTr("Show All")
                    onClicked: sheet.wholeChangelog = true
                }
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        visible: sheet.heldAt !== ""
        spacing: Theme.largeSpacing
        Text {
            objectName: "sheet.package.held"
            Layout.fillWidth: true
            text: sheet.heldAt === sheet.pkg.latest ? qsTr("Held at %1").arg(sheet.heldAt)
                  : qsTr("Held at %1 — %2 is available").arg(sheet.heldAt).arg(sheet.pkg.latest)
            color: Theme.muted
            font.pixelSize: Theme.smallFontSize
            wrapMode: Text.Wrap
        }
        AppButton {
            objectName: "sheet.package.releaseHold"
            kind: "subtle"
            text: qsTr("Release Hold")
            onClicked: {
                const mod = sheet.app.profileMod(sheet.pkg.fullName)
                if (mod) sheet.app.modController.releaseHold(mod)
            }
        }
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.largeSpacing
        AppButton {
            objectName: "sheet.package.view"
            text: qsTr("View on Thunderstore")
            iconName: "external-link"
            onClicked: sheet.app.openURL(PaneWording.pageURL(sheet.pkg.owner, sheet.pkg.name))
        }
        Item { Layout.fillWidth: true }
        Text {
            objectName: "sheet.package.dependency"
            visible: sheet.place === PackageListModel.AsDependency
            text: qsTr("Installed as a dependency")
            color: Theme.muted
            font.pixelSize: Theme.smallFontSize
        }
        AppButton {
            objectName: "sheet.package.remove"
            visible: sheet.place === PackageListModel.InProfile
            text: qsTr("Remove from Profile")
            enabled: sheet.idle
            destructive: true
            onClicked: {
                const mod = sheet.app.profileMod(sheet.pkg.fullName)
                if (mod) sheet.app.modController.remove(mod)
                sheet.close()
            }
        }
        AppButton {
            objectName: "sheet.package.add"
            visible: sheet.place === PackageListModel.NotInProfile
            text: PaneWording.addTo(sheet.app.selection.profile ? sheet.app.selection.profile.name : "")
            isDefault: true
            enabled: sheet.idle
            onClicked: sheet.add()
        }
        AppButton {
            objectName: "sheet.package.close"
            text: qsTr("Close")
            onClicked: sheet.close()
        }
    }
}
