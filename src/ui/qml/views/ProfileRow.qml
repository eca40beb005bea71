import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quernhold

// One profile in the sidebar: its name, the number of mods the user added, and a capsule with the
// number of updates when there are some.
ItemDelegate {
    id: row
    required property int index
    required property string profileID
    required property string name
    required property int modCount
    required property int updateCount
    required property var profile
    property bool selected: false
    // The list holds the keyboard focus from a Tab, not from a click: the ring shows.
    property bool ringShown: false
    signal menuRequested(real x, real y)

    objectName: "sidebar.row." + index
    width: ListView.view ? ListView.view.width : implicitWidth
    implicitHeight: 46
    topInset: Theme.tinySpacing
    bottomInset: Theme.tinySpacing
    topPadding: Theme.mediumSpacing
    bottomPadding: Theme.mediumSpacing
    leftPadding: Theme.xLargeSpacing
    rightPadding: Theme.xLargeSpacing
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.name: name

    background: Rectangle {
        radius: Theme.mediumRadius
        color: row.selected ? Theme.alpha(Theme.ember, 0.16) : row.hovered ? Theme.surface2 : "transparent"
        // The list holds the keyboard focus; its current row shows it.
        FocusRing {
            anchors.margins: 0
            radius: Theme.mediumRadius
            shown: row.ListView.isCurrentItem && row.ringShown
        }
    }

    // Declared here rather than in place: the ids inside would make it no longer deferred.
    contentItem: layout
    RowLayout {
        id: layout
        spacing: Theme.largeSpacing
        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: Theme.hairSpacing
            Text {
                objectName: "sidebar.row.name"
                Layout.fillWidth: true
                text: row.name
                color: Theme.text
                font.pixelSize: Theme.bodyFontSize
                font.weight: row.selected ? Font.DemiBold : Font.Normal
                elide: Text.ElideRight
                maximumLineCount: 1
            }
            Text {
                objectName: "sidebar.row.count"
                text: Wording.modCount(row.modCount)
                color: Theme.muted
                font.pixelSize: Theme.captionFontSize
            }
        }
        Rectangle {
            objectName: "sidebar.row.updates"
            visible: row.updateCount >= 1
            Layout.alignment: Qt.AlignVCenter
            implicitWidth: updates.implicitWidth + 12
            implicitHeight: updates.implicitHeight + 2
            radius: height / 2
            color: Theme.alpha(Theme.ember, 0.18)
            readonly property string tip: Wording.updatesAvailable(row.updateCount)
            Text {
                id: updates
                anchors.centerIn: parent
                text: row.updateCount
                color: Theme.emberHi
                font.pixelSize: Theme.captionFontSize
                font.bold: true
            }
            HoverHandler { id: capsuleHover }
            ToolTip.visible: capsuleHover.hovered
            ToolTip.text: tip
        }
    }

    // Over the row, so that the row never sees the right button: it would take it as a click and
    // select the profile.
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        onClicked: (mouse) => row.menuRequested(mouse.x, mouse.y)
    }
}
