import QtQuick
import Quernhold

// The line between two list rows.
Rectangle {
    width: parent ? parent.width : 0
    implicitHeight: 1
    height: 1
    color: Theme.line
}
