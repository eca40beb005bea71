import QtQuick
import Quernhold

// A count or caption in faint type, with its icon before it when it has one.
Row {
    id: label
    property string symbol
    property alias text: caption.text
    property int pixelSize: 11
    spacing: 4
    Icon {
        anchors.verticalCenter: parent.verticalCenter
        visible: label.symbol !== ""
        symbol: label.symbol
        sourceSize: Qt.size(12, 12)
        color: Theme.faint
    }
    Text { id: caption; color: Theme.faint; font.pixelSize: label.pixelSize }
}
