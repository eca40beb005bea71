pragma Singleton
import QtQuick

// The fixed dark palette every screen draws with, the one-off colours of single components, and
// the sizes every layout draws from: spacing, corner radii, type and icon sizes. Sizes are in pixels.
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

    // Type sizes, smallest first; the window's own font is `bodyFontSize`.
    readonly property int captionFontSize: 11  // 10.5 in points; pixel sizes are whole
    readonly property int smallFontSize: 12
    readonly property int bodyFontSize: 13
    readonly property int titleFontSize: 14  // a row's name, 13.5 in points
    readonly property int codeFontSize: 15
    readonly property int sheetTitleFontSize: 16
    readonly property int headingFontSize: 19

    // Gaps between things and insets inside them, smallest first.
    readonly property int hairSpacing: 1
    readonly property int tinySpacing: 2
    readonly property int xSmallSpacing: 3
    readonly property int smallSpacing: 4
    readonly property int mediumSpacing: 6
    readonly property int largeSpacing: 8
    readonly property int xLargeSpacing: 10
    readonly property int xxLargeSpacing: 12
    // Insets with one job each.
    readonly property int menuPadding: 5  // around a pop-up menu's items
    readonly property int fieldPadding: 9  // the text inside a field or chip's frame, left and right
    readonly property int browseRowPadding: 11  // above and below a catalogue row, roomier than a mod row
    readonly property int rowInset: 14  // a list row's content from the edges of its box
    readonly property int sectionSpacing: 14  // between the blocks of a sheet, a header, a bar or a row
    readonly property int groupSpacing: 16  // above the first group title; beside a large icon
    readonly property int groupTitleSpacing: 18  // above a group title that follows content
    readonly property int headerMargin: 18  // above the pane's header
    readonly property int indent: 20  // options that belong to the choice above them
    readonly property int pageBottomMargin: 20  // under a list that fills the pane
    readonly property int sheetPadding: 22
    readonly property int pageMargin: 24  // the pane's content from its sides
    readonly property int emptyStateMargin: 28  // above and below a message in place of an empty list

    // Corner radii, smallest first. A focus ring lies `focusRingWidth` outside its control, so its
    // radius is the control's plus that.
    readonly property int checkRadius: 3
    readonly property int smallRadius: 4
    readonly property int menuItemRadius: 5  // a highlighted item of a menu, a segment
    readonly property int mediumRadius: 6  // text fields, rows and boxes inside a sheet
    readonly property int comboRadius: 7
    readonly property int controlRadius: 8
    readonly property int badgeRadius: 9
    readonly property int cardRadius: 10
    readonly property int focusRingWidth: 2

    // Heights of controls, smallest first.
    readonly property int compactControlHeight: 26  // a menu's item, a subtle button
    readonly property int controlHeight: 28  // a pop-up choice, the tab switch, a field inside a row
    readonly property int fieldHeight: 30  // a text or search field on its own
    readonly property int buttonHeight: 32
    readonly property int playButtonHeight: 38

    readonly property int smallIconSize: 12
    readonly property int mediumIconSize: 14
    readonly property int iconSize: 16

    readonly property int toolTipDelay: 600
    readonly property int menuToolTipDelay: 400  // a menu is read item by item, so its tips come sooner

    function alpha(c, a) { return Qt.rgba(c.r, c.g, c.b, a) }
    function icon(name) { return "qrc:/qt/qml/Quernhold/icons/" + name + ".svg" }
}
