import QtQuick
import QtQuick.Controls.impl
import Quernhold

// One of the bundled icons, tinted.
IconImage {
    property string symbol
    source: symbol ? Theme.icon(symbol) : ""
    sourceSize: Qt.size(Theme.iconSize, Theme.iconSize)
    color: Theme.muted
}
