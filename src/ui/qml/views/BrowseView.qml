import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The catalogue: search, sort and filters over the list of packages, in pages of a hundred; the
// loading and failed states while there is no list yet.
ColumnLayout {
    id: view
    required property AppState app
    readonly property PackageListModel packages: app.catalogue.index
    readonly property bool empty: packages.total === 0

    spacing: 0

    // Each time the view is made, it starts from a blank search.
    Component.onCompleted: {
        packages.query = ""
        packages.sortOrder = PackageListModel.Downloads
        packages.category = PaneWording.allCategories
        packages.showDeprecated = false
        packages.limit = packages.pageSize
    }

    RowLayout {
        id: toolbar
        Layout.fillWidth: true
        Layout.leftMargin: 24
        Layout.rightMargin: 24
        Layout.topMargin: 12
        Layout.bottomMargin: 12
        spacing: 10

        SearchField {
            Layout.fillWidth: true
            fieldName: "browse.search"
            clearName: "browse.clear"
            placeholder: "Search Valheim mods"
            text: view.packages.query
            onEdited: (text) => view.packages.query = text
        }
        ChoiceMenu {
            objectName: "browse.sort"
            model: ["Most downloaded", "Recently updated", "Top rated", "Name"]
            currentIndex: view.packages.sortOrder
            onActivated: (i) => view.packages.sortOrder = i
        }
        ChoiceMenu {
            objectName: "browse.category"
            model: view.packages.categories
            currentIndex: Math.max(0, view.packages.categories.indexOf(view.packages.category))
            onActivated: (i) => view.packages.category = view.packages.categories[i]
        }
        CheckBox {
            id: deprecated
            objectName: "browse.deprecated"
            text: "Deprecated"
            checked: view.packages.showDeprecated
            onToggled: view.packages.showDeprecated = checked
            font.pixelSize: 12
            padding: 0
            spacing: 6
            hoverEnabled: true
            ToolTip.visible: hovered
            ToolTip.text: "Show mods their authors have marked as deprecated"
            ToolTip.delay: 600
            indicator: Rectangle {
                x: deprecated.leftPadding
                anchors.verticalCenter: parent.verticalCenter
                implicitWidth: 14; implicitHeight: 14
                radius: 3
                color: deprecated.checked ? Theme.ember : Theme.surface2
                border.width: 1
                border.color: deprecated.checked ? Theme.ember : Theme.btnBorder
                FocusRing { control: deprecated; radius: 5 }
                Text {
                    anchors.centerIn: parent
                    visible: deprecated.checked
                    text: "✓"
                    color: Theme.playText
                    font.pixelSize: 11
                    font.bold: true
                }
            }
            contentItem: Text {
                leftPadding: deprecated.indicator.width + deprecated.spacing
                text: deprecated.text
                font: deprecated.font
                color: Theme.text
                verticalAlignment: Text.AlignVCenter
            }
        }
        AppButton {
            objectName: "browse.refresh"
            kind: "subtle"
            iconName: "refresh"
            tip: "Refresh the mod list from Thunderstore"
            enabled: !view.app.catalogue.loading
            onClicked: view.app.catalogue.loadIndex(true)
        }
    }

    // No list yet: loading, or why it failed.
    Item {
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: view.empty
        ColumnLayout {
            anchors.centerIn: parent
            width: Math.min(parent.width - 48, 520)
            spacing: 12
            Spinner {
                objectName: "browse.loading"
                Layout.alignment: Qt.AlignHCenter
                visible: view.app.catalogue.loading
                implicitWidth: 22; implicitHeight: 22
            }
            Text {
                Layout.fillWidth: true
                visible: view.app.catalogue.loading
                text: "Downloading the Valheim mod list from Thunderstore…"
                color: Theme.muted
                font.pixelSize: 13
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }
            Text {
                Layout.fillWidth: true
                visible: view.app.catalogue.loading
                text: "This takes a moment the first time."
                color: Theme.faint
                font.pixelSize: 11
                horizontalAlignment: Text.AlignHCenter
            }
            Text {
                objectName: "browse.error"
                Layout.fillWidth: true
                visible: !view.app.catalogue.loading && view.app.catalogue.error !== ""
                text: view.app.catalogue.error
                color: Theme.muted
                font.pixelSize: 13
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }
            AppButton {
                objectName: "browse.retry"
                Layout.alignment: Qt.AlignHCenter
                visible: !view.app.catalogue.loading && view.app.catalogue.error !== ""
                text: "Try Again"
                onClicked: view.app.catalogue.loadIndex(true)
            }
        }
    }

    ListView {
        id: list
        objectName: "browse.list"
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: 24
        Layout.rightMargin: 24
        Layout.bottomMargin: 20
        visible: !view.empty
        clip: true
        model: view.empty ? null : view.packages
        boundsBehavior: Flickable.StopAtBounds
        reuseItems: true
        ScrollBar.vertical: ScrollBar {}
        // From the keyboard: Tab into the list, the arrows walk the rows, Return or Space opens one.
        activeFocusOnTab: true
        keyNavigationEnabled: true
        Keys.onReturnPressed: if (currentItem) currentItem.open()
        Keys.onSpacePressed: if (currentItem) currentItem.open()

        // The list box behind the rows, the show-more button and the no-match text.
        Rectangle {
            parent: list.contentItem
            z: -1
            y: list.originY
            width: list.width
            height: list.contentHeight
            radius: 10
            color: Theme.surface
            border.width: 1
            border.color: Theme.line
        }

        delegate: BrowseRow {
            width: ListView.view.width
            app: view.app
        }

        footer: Item {
            id: footer
            readonly property bool noResults: view.packages.resultCount === 0
            // The list ends here, and the deprecated switch hides more that match.
            readonly property bool hinted: !more.visible && view.packages.hiddenDeprecated > 0
            width: list.width
            implicitHeight: more.visible ? more.implicitHeight + 28
                : noResults ? ends.implicitHeight + 80
                : hinted ? ends.implicitHeight + 28 : 0
            height: implicitHeight
            RowDivider { visible: (more.visible || footer.hinted) && list.count > 0; anchors.top: parent.top }
            AppButton {
                id: more
                objectName: "browse.more"
                anchors.centerIn: parent
                kind: "subtle"
                visible: view.packages.resultCount > view.packages.limit
                text: PaneWording.showMore(view.packages.resultCount - view.packages.limit)
                onClicked: view.packages.showMore()
            }
            ColumnLayout {
                id: ends
                anchors.centerIn: parent
                width: parent.width - 28
                visible: footer.noResults || footer.hinted
                spacing: 12
                Text {
                    objectName: "browse.noMatch"
                    Layout.fillWidth: true
                    visible: footer.noResults
                    text: PaneWording.noMatch(view.packages.query)
                    textFormat: Text.PlainText
                    color: Theme.muted
                    font.pixelSize: 13
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideMiddle
                    maximumLineCount: 1
                }
                RowLayout {
                    objectName: "browse.deprecatedHint"
                    Layout.alignment: Qt.AlignHCenter
                    visible: footer.hinted
                    spacing: 8
                    Text {
                        objectName: "browse.deprecatedCount"
                        text: PaneWording.hiddenDeprecated(view.packages.hiddenDeprecated)
                        color: Theme.muted
                        font.pixelSize: 12
                    }
                    AppButton {
                        objectName: "browse.showDeprecated"
                        kind: "subtle"
                        text: PaneWording.showHidden(view.packages.hiddenDeprecated)
                        onClicked: view.packages.showDeprecated = true
                    }
                }
            }
        }
    }

    Text {
        objectName: "browse.status"
        Layout.fillWidth: true
        Layout.leftMargin: 24
        Layout.rightMargin: 24
        Layout.bottomMargin: 6
        visible: !view.empty
        text: PaneWording.resultLine(view.packages.resultCount, view.app.catalogue.loading)
        color: Theme.faint
        font.pixelSize: 11
    }
}
