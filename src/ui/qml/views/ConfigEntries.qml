import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// The open settings file: its name, then its settings by section in one list box.
ColumnLayout {
    id: view
    required property ConfigEditor config
    spacing: Theme.largeSpacing

    ConfigFileHeading { config: view.config }

    ListView {
        id: list
        objectName: "config.entryList"
        Layout.fillWidth: true
        Layout.fillHeight: true
        clip: true
        model: view.config.entries
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        cacheBuffer: 400

        // The list box behind the rows.
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

        section.property: "section"
        section.delegate: Item {
            required property string section
            width: ListView.view.width
            implicitHeight: title.implicitHeight + 22
            // Qt 6.4's qmllint cannot see ids outside a component; the lines that use one say so.
            RowDivider { anchors.top: parent.top; visible: parent.y > list.originY + 1 } // qmllint disable unqualified
            SectionTitle {
                id: title
                x: Theme.rowInset
                anchors.bottom: parent.bottom
                anchors.bottomMargin: Theme.mediumSpacing
                caption: parent.section === "" ? qsTr("Settings") : parent.section
            }
        }

        delegate: ConfigEntryRow {
            width: ListView.view.width
            config: view.config // qmllint disable unqualified
        }

        Connections {
            target: view.config
            function onFocusRowChanged() {
                if (view.config.focusRow >= 0) list.positionViewAtIndex(view.config.focusRow, ListView.Center)
            }
        }
        Component.onCompleted: if (view.config.focusRow >= 0) positionViewAtIndex(view.config.focusRow, ListView.Center)
    }
}
