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
        Layout.leftMargin: Theme.pageMargin
        Layout.rightMargin: Theme.pageMargin
        Layout.topMargin: Theme.xxLargeSpacing
        Layout.bottomMargin: Theme.xxLargeSpacing
        spacing: Theme.xLargeSpacing

        SearchField {
            Layout.fillWidth: true
            fieldName: "browse.search"
            clearName: "browse.clear"
            findEnabled: !view.app.window.sheetShown
            placeholder: qsTr("Search Valheim mods")
            text: view.packages.query
            onEdited: (text) => view.packages.query = text
        }
        ChoiceMenu {
            objectName: "browse.sort"
            label: qsTr("Sort by")
            // The orders the list sorts by, in the menu's order.
            readonly property var orders: [PackageListModel.Downloads, PackageListModel.Updated,
                                           PackageListModel.Rating, PackageListModel.Name]
            model: [qsTr("Most downloaded"), qsTr("Recently updated"), qsTr("Top rated"), qsTr("Name")]
            currentIndex: orders.indexOf(view.packages.sortOrder)
            onActivated: (index) => view.packages.sortOrder = orders[index]
        }
        ChoiceMenu {
            objectName: "browse.category"
            label: qsTr("Category")
            model: view.packages.categories
            currentIndex: Math.max(0, find(view.packages.category, Qt.MatchExactly | Qt.MatchCaseSensitive))
            onActivated: (index) => view.packages.category = textAt(index)
        }
        CheckBox {
            id: deprecated
            objectName: "browse.deprecated"
            text: qsTr("Deprecated")
            checked: view.packages.showDeprecated
            onToggled: view.packages.showDeprecated = checked
            font.pixelSize: Theme.smallFontSize
            padding: 0
            spacing: Theme.mediumSpacing
            hoverEnabled: true
            ToolTip.visible: hovered
            ToolTip.text: qsTr("Show mods their authors have marked as deprecated")
            ToolTip.delay: Theme.toolTipDelay
            indicator: Rectangle {
                x: deprecated.leftPadding
                anchors.verticalCenter: parent.verticalCenter
                implicitWidth: 14; implicitHeight: 14
                radius: Theme.checkRadius
                color: deprecated.checked ? Theme.ember : Theme.surface2
                border.width: 1
                border.color: deprecated.checked ? Theme.ember : Theme.btnBorder
                FocusRing { control: deprecated; radius: Theme.checkRadius + Theme.focusRingWidth }
                Text {
                    anchors.centerIn: parent
                    visible: deprecated.checked
                    text: "✓"
                    color: Theme.playText
                    font.pixelSize: Theme.captionFontSize
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
            tip: qsTr("Refresh the mod list from Thunderstore")
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
            spacing: Theme.xxLargeSpacing
            Spinner {
                objectName: "browse.loading"
                Layout.alignment: Qt.AlignHCenter
                visible: view.app.catalogue.loading
                implicitWidth: 22; implicitHeight: 22
            }
            Text {
                Layout.fillWidth: true
                visible: view.app.catalogue.loading
                text: qsTr("Downloading the Valheim mod list from Thunderstore…")
                color: Theme.muted
                font.pixelSize: Theme.bodyFontSize
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }
            Text {
                Layout.fillWidth: true
                visible: view.app.catalogue.loading
                text: qsTr("This takes a moment the first time.")
                color: Theme.faint
                font.pixelSize: Theme.captionFontSize
                horizontalAlignment: Text.AlignHCenter
            }
            Text {
                objectName: "browse.error"
                Layout.fillWidth: true
                visible: !view.app.catalogue.loading && view.app.catalogue.error !== ""
                text: view.app.catalogue.error
                color: Theme.muted
                font.pixelSize: Theme.bodyFontSize
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }
            AppButton {
                objectName: "browse.retry"
                Layout.alignment: Qt.AlignHCenter
                visible: !view.app.catalogue.loading && view.app.catalogue.error !== ""
                text: qsTr("Try Again")
                onClicked: view.app.catalogue.loadIndex(true)
            }
        }
    }

    ListView {
        id: list
        objectName: "browse.list"
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: Theme.pageMargin
        Layout.rightMargin: Theme.pageMargin
        Layout.bottomMargin: Theme.pageBottomMargin
        visible: !view.empty
        clip: true
        model: view.empty ? null : view.packages
        boundsBehavior: Flickable.StopAtBounds
        reuseItems: true
        ScrollBar.vertical: ScrollBar {}
        // From the keyboard: Tab into the list, the arrows walk the rows, Return or Space opens one.
        activeFocusOnTab: true
        keyNavigationEnabled: true

        // The list box behind the rows, the show-more button and the no-match text.
        Rectangle {
            parent: list.contentItem
            z: -1
            y: list.originY
            width: list.width
            height: list.contentHeight
            radius: Theme.cardRadius
            color: Theme.surface
            border.width: 1
            border.color: Theme.line
        }

        delegate: BrowseRow {
            width: ListView.view.width
            // Qt 6.4's qmllint cannot see ids outside a component; the lines that use one say so.
            app: view.app // qmllint disable unqualified
        }

        footer: Item {
            id: footer
            readonly property bool noResults: view.packages.resultCount === 0 // qmllint disable unqualified
            // The list ends here, and the deprecated switch hides more that match.
            readonly property bool hinted: !more.visible && view.packages.hiddenDeprecated > 0 // qmllint disable unqualified
            width: list.width // qmllint disable unqualified
            implicitHeight: more.visible ? more.implicitHeight + 28
                : noResults ? ends.implicitHeight + 80
                : hinted ? ends.implicitHeight + 28 : 0
            height: implicitHeight
            RowDivider { visible: (more.visible || footer.hinted) && list.count > 0; anchors.top: parent.top } // qmllint disable unqualified
            AppButton {
                id: more
                objectName: "browse.more"
                anchors.centerIn: parent
                kind: "subtle"
                visible: view.packages.resultCount > view.packages.limit // qmllint disable unqualified
                text: PaneWording.showMore(view.packages.resultCount - view.packages.limit) // qmllint disable unqualified
                onClicked: view.packages.showMore() // qmllint disable unqualified
            }
            ColumnLayout {
                id: ends
                anchors.centerIn: parent
                width: parent.width - 28
                visible: footer.noResults || footer.hinted
                spacing: Theme.xxLargeSpacing
                Text {
                    objectName: "browse.noMatch"
                    Layout.fillWidth: true
                    visible: footer.noResults
                    text: PaneWording.noMatch(view.packages.query) // qmllint disable unqualified
                    textFormat: Text.PlainText
                    color: Theme.muted
                    font.pixelSize: Theme.bodyFontSize
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideMiddle
                    maximumLineCount: 1
                }
                RowLayout {
                    objectName: "browse.deprecatedHint"
                    Layout.alignment: Qt.AlignHCenter
                    visible: footer.hinted
                    spacing: Theme.largeSpacing
                    Text {
                        objectName: "browse.deprecatedCount"
                        text: PaneWording.hiddenDeprecated(view.packages.hiddenDeprecated) // qmllint disable unqualified
                        color: Theme.muted
                        font.pixelSize: Theme.smallFontSize
                    }
                    AppButton {
                        objectName: "browse.showDeprecated"
                        kind: "subtle"
                        text: PaneWording.showHidden(view.packages.hiddenDeprecated) // qmllint disable unqualified
                        onClicked: view.packages.showDeprecated = true // qmllint disable unqualified
                    }
                }
            }
        }
    }

    Text {
        objectName: "browse.status"
        Layout.fillWidth: true
        Layout.leftMargin: Theme.pageMargin
        Layout.rightMargin: Theme.pageMargin
        Layout.bottomMargin: Theme.mediumSpacing
        visible: !view.empty
        text: PaneWording.resultLine(view.packages.resultCount, view.app.catalogue.loading)
        color: Theme.faint
        font.pixelSize: Theme.captionFontSize
    }
}
