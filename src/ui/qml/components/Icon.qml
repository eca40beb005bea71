import QtQuick
import QtQuick.Controls.impl
import Quernhold

// One of the bundled icons, tinted.
IconImage {
    property string symbol
    source: symbol ? Theme.icon(symbol) : ""
    sourceSize: Qt.size(16, 16)
    color: Theme.muted
}
