import QtQuick
import QtQuick.Layouts
import Quernhold

// Over the foot of the mod list while several rows are picked: how many, and the commands on all
// of them; while a search for a broken mod runs, where it stands and its next steps.
Rectangle {
    id: bar
    required property AppState app
    readonly property ModSelection picked: app.modSelection
    readonly property bool idle: app.selection.canChange
    readonly property var offers: picked.offers  // a script array, for includes()

    visible: picked.count > 1 || picked.search !== ""
    implicitHeight: visible ? lines.implicitHeight + 2 * Theme.xLargeSpacing : 0
    color: Theme.surface2
    border.color: Theme.btnBorder
    radius: Theme.cardRadius

    ColumnLayout {
        id: lines
        anchors.fill: parent
        anchors.margins: Theme.xLargeSpacing
        anchors.leftMargin: Theme.rowInset
        spacing: Theme.largeSpacing

        RowLayout {
            visible: bar.picked.count > 1
            spacing: Theme.mediumSpacing
            Text {
                objectName: "selection.summary"
                Layout.fillWidth: true
                text: bar.picked.summary
                color: Theme.text
                font.pixelSize: Theme.bodyFontSize
                font.weight: Font.DemiBold
            }
            BarButton { name: "turnOn"; offers: bar.offers; enabled: bar.idle; text: qsTr("Turn On"); onClicked: bar.picked.turnOn() }
            BarButton { name: "turnOff"; offers: bar.offers; enabled: bar.idle; text: qsTr("Turn Off"); onClicked: bar.picked.requestTurnOff() }
            BarButton { name: "update"; offers: bar.offers; enabled: bar.idle; text: qsTr("Update"); onClicked: bar.picked.update() }
            BarButton { name: "hold"; offers: bar.offers; enabled: bar.idle; text: qsTr("Hold"); onClicked: bar.picked.hold() }
            BarButton { name: "releaseHold"; offers: bar.offers; enabled: bar.idle; text: qsTr("Release Hold"); onClicked: bar.picked.releaseHold() }
            BarButton { name: "remove"; offers: bar.offers; enabled: bar.idle; text: qsTr("Remove"); destructive: true; onClicked: bar.picked.requestRemove() }
            AppButton {
                objectName: "selection.half"
                kind: "subtle"
                text: qsTr("Turn Off Half")
                tip: qsTr("Turn off half of these mods to find the one that breaks the game")
                visible: bar.picked.search === "" && bar.offers.includes("turnOff")
                enabled: bar.idle
                onClicked: bar.picked.turnOffHalf()
            }
        }
        RowLayout {
            visible: bar.picked.search !== ""
            spacing: Theme.mediumSpacing
            Text {
                objectName: "selection.search"
                Layout.fillWidth: true
                text: bar.picked.search
                color: bar.picked.searchFound ? Theme.ember : Theme.muted
                font.pixelSize: Theme.smallFontSize
                font.weight: bar.picked.searchFound ? Font.DemiBold : Font.Normal
                wrapMode: Text.Wrap
            }
            AppButton {
                objectName: "selection.searchHalf"
                kind: "subtle"
                text: qsTr("Turn Off Half")
                visible: !bar.picked.searchFound
                enabled: bar.idle
                onClicked: bar.picked.turnOffHalf()
            }
            AppButton {
                objectName: "selection.swap"
                kind: "subtle"
                text: qsTr("Swap Halves")
                visible: !bar.picked.searchFound
                enabled: bar.idle
                onClicked: bar.picked.swapHalves()
            }
            AppButton {
                objectName: "selection.endSearch"
                kind: "subtle"
                text: bar.picked.searchFound ? qsTr("Done") : qsTr("Stop")
                onClicked: bar.picked.endSearch()
            }
        }
    }

    // Asks before turning off or removing mods that others still need.
    Loader {
        active: bar.picked.question !== ""
        sourceComponent: ConfirmDialog {
            objectName: "selection.confirm"
            name: "selection.confirm"
            title: bar.picked.question // qmllint disable unqualified
            sheetWidth: 460
            message: qsTr("The mods that need them may not work.")
            actionText: bar.picked.questionAction // qmllint disable unqualified
            onConfirmed: bar.picked.answer(true) // qmllint disable unqualified
            onClosed: bar.picked.answer(false) // qmllint disable unqualified
        }
    }

    component BarButton: AppButton {
        required property string name
        required property var offers
        objectName: "selection." + name
        kind: "subtle"
        visible: offers.includes(name)
    }
}
