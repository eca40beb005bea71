import QtQuick
import Quernhold

// The pill for a mod's status, a ModStatus.
Pill {
    property int status: ModStatus.NotInstalled

    text: {
        switch (status) {
        case ModStatus.UpToDate: return qsTr("Up to date")
        case ModStatus.UpdateAvailable: return qsTr("Update")
        case ModStatus.Installed: return qsTr("Installed")
        default: return qsTr("Not installed")
        }
    }
    fg: {
        switch (status) {
        case ModStatus.UpToDate: return Theme.moss
        case ModStatus.UpdateAvailable: return Theme.emberHi
        case ModStatus.Installed: return Theme.text
        default: return Theme.muted
        }
    }
    bg: {
        switch (status) {
        case ModStatus.UpToDate: return Theme.alpha(Theme.moss, 0.12)
        case ModStatus.UpdateAvailable: return Theme.alpha(Theme.ember, 0.18)
        case ModStatus.Installed: return Theme.surface2
        default: return Qt.rgba(0, 0, 0, 0)
        }
    }
    border: status === ModStatus.NotInstalled ? Theme.line : "transparent"
}
