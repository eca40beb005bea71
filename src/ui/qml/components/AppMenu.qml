import QtQuick
import QtQuick.Controls
import Quernhold

// A pop-up menu on the dark theme.
Menu {
    id: menu
    padding: 5
    implicitWidth: 220
    background: Rectangle {
        implicitWidth: 220
        radius: 8
        color: Theme.surface2
        border.width: 1
        border.color: Theme.btnBorder
    }
    delegate: AppMenuItem {}
}
