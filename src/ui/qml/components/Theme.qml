pragma Singleton
import QtQuick

// The fixed dark palette every screen draws with, and the one-off colours of single components.
QtObject {
    readonly property color bg: Qt.rgba(0.067, 0.078, 0.094, 1)
    readonly property color surface: Qt.rgba(0.090, 0.106, 0.129, 1)
    readonly property color surface2: Qt.rgba(0.114, 0.133, 0.165, 1)
    readonly property color line: Qt.rgba(0.149, 0.173, 0.208, 1)
    readonly property color text: Qt.rgba(0.925, 0.902, 0.855, 1)
    readonly property color muted: Qt.rgba(0.553, 0.580, 0.620, 1)
    readonly property color faint: Qt.rgba(0.373, 0.400, 0.439, 1)
    readonly property color ember: Qt.rgba(0.898, 0.506, 0.239, 1)
    readonly property color emberHi: Qt.rgba(0.949, 0.573, 0.310, 1)
    readonly property color moss: Qt.rgba(0.561, 0.710, 0.451, 1)
    readonly property color blood: Qt.rgba(0.878, 0.439, 0.369, 1)
    readonly property color btnBorder: Qt.rgba(0.200, 0.227, 0.270, 1)

    readonly property color iconPlaceholder: Qt.rgba(0.137, 0.157, 0.192, 1)
    readonly property color buttonHover: Qt.rgba(0.145, 0.169, 0.204, 1)
    readonly property color playText: Qt.rgba(0.100, 0.060, 0.020, 1)
    readonly property color playHover: Qt.rgba(0.965, 0.627, 0.392, 1)
    readonly property color playBorder: Qt.rgba(0.953, 0.604, 0.353, 1)
    readonly property color playDisabled: Qt.rgba(0.165, 0.184, 0.216, 1)
    readonly property color logBackground: Qt.rgba(0.047, 0.055, 0.067, 1)
    readonly property color logText: Qt.rgba(0.725, 0.749, 0.784, 1)

    readonly property string monoFamily: "monospace"

    function alpha(c, a) { return Qt.rgba(c.r, c.g, c.b, a) }
    function icon(name) { return "qrc:/qt/qml/Quernhold/icons/" + name + ".svg" }
}
