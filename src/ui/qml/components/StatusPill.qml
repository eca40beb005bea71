import QtQuick
import Quernhold

// The pill for a mod's status, by AppEnums.ModStatus in its order: not installed, up to date,
// update, installed (QML cannot name the lower-case cases).
Pill {
    property int status: 0

    text: ["Not installed", "Up to date", "Update", "Installed"][status]
    fg: [Theme.muted, Theme.moss, Theme.emberHi, Theme.text][status]
    bg: [Qt.rgba(0, 0, 0, 0), Theme.alpha(Theme.moss, 0.12), Theme.alpha(Theme.ember, 0.18), Theme.surface2][status]
    border: status === 0 ? Theme.line : "transparent"
}
