import QtQuick
import QtQuick.Layouts
import Quernhold

// The open file's title and name, and whether it has unsaved changes.
RowLayout {
    id: heading
    required property ConfigEditor config
    Layout.fillWidth: true
    spacing: Theme.largeSpacing

    Text {
        objectName: "config.title"
        Layout.maximumWidth: Math.max(0, heading.width - name.implicitWidth - (unsaved.visible ? unsaved.width : 0) - 24)
        text: heading.config.current.title
        textFormat: Text.PlainText
        color: Theme.text
        font.pixelSize: Theme.titleFontSize
        font.weight: Font.DemiBold
        elide: Text.ElideRight
    }
    Text {
        id: name
        Layout.fillWidth: true
        text: heading.config.current.title !== heading.config.current.name ? heading.config.current.name : ""
        textFormat: Text.PlainText
        color: Theme.faint
        font.pixelSize: Theme.captionFontSize
        elide: Text.ElideMiddle
    }
    Pill {
        id: unsaved
        objectName: "config.unsaved"
        visible: heading.config.dirty
        text: qsTr("Unsaved changes")
        fg: Theme.emberHi
        bg: Theme.alpha(Theme.ember, 0.18)
    }
}
