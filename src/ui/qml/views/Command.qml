import QtQuick

// One menu-bar command: its label, shortcut, enablement and action, drawn by either menu bar.
QtObject {
    property string text
    property string shortcut
    property bool enabled: true
    property bool separatorBefore: false
    signal triggered()
}
