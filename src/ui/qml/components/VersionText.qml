import QtQuick
import Quernhold

// A version in one line with even-width digits: the latest one (faint) when nothing is installed,
// "installed  →  latest" when an update waits, else the installed one. `status` is a ModStatus.
Text {
    property string installed
    property string latest
    property int status: ModStatus.NotInstalled

    readonly property bool updating: status === ModStatus.UpdateAvailable
    text: status === ModStatus.NotInstalled ? latest
        : updating ? "<font color='" + Theme.muted + "'>" + installed + "</font><font color='" + Theme.faint
                     + "'>&nbsp;&nbsp;→&nbsp;&nbsp;</font><font color='" + Theme.emberHi + "'>" + latest + "</font>"
        : installed
    textFormat: updating ? Text.StyledText : Text.PlainText
    color: status === ModStatus.NotInstalled ? Theme.faint : Theme.muted
    font: Fmt.monospacedDigits(Qt.font({ pixelSize: Theme.smallFontSize }))
    maximumLineCount: 1
}
