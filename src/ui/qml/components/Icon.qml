import QtQuick
import QtQuick.Controls.impl
import Quernhold

// One of the bundled icons, tinted.
IconImage {
    property string symbol
    property int size: Theme.iconSize  // its width and height
    source: symbol ? Theme.icon(symbol) : ""
    sourceSize.width: size
    sourceSize.height: size
    color: Theme.muted
}
