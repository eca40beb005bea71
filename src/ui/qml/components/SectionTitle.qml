import QtQuick
import Quernhold

// A caption above a group: upper case, small, spaced out, faint.
Text {
    property string caption
    text: caption.toUpperCase()
    color: Theme.faint
    font.pixelSize: Theme.captionFontSize
    font.weight: Font.DemiBold
    font.letterSpacing: 0.9
}
