import QtQuick
import QtQuick.Layouts
import Quernhold

// A sheet's closing row: Cancel, then the main button (Return), on the right.
RowLayout {
    id: buttons
    property string mainText
    property bool mainEnabled: true
    property string name
    default property alias leading: lead.data
    signal cancel()
    signal main()

    Layout.fillWidth: true
    spacing: Theme.largeSpacing
    Row { id: lead; spacing: Theme.largeSpacing }
    Item { Layout.fillWidth: true }
    AppButton {
        objectName: buttons.name + ".cancel"
        text: qsTr("Cancel")
        onClicked: buttons.cancel()
    }
    AppButton {
        objectName: buttons.name + ".main"
        text: buttons.mainText
        isDefault: true
        enabled: buttons.mainEnabled
        onClicked: buttons.main()
    }
}
