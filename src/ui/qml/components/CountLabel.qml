import QtQuick
import Quernhold

// A count or caption in faint type, with its icon before it when it has one.
Row {
    id: label
    property string symbol
    property alias text: caption.text
    property int pixelSize: Theme.captionFontSize
    spacing: Theme.smallSpacing
    Icon {
        anchors.verticalCenter: parent.verticalCenter
        visible: label.symbol !== ""
        symbol: label.symbol
        size: Theme.smallIconSize
        color: Theme.faint
    }
    Text { id: caption; color: Theme.faint; font.pixelSize: label.pixelSize }
}
