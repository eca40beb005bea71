import QtQuick
import Quernhold

// A package icon: the image at `url`, or until it loads (or without one) the title's first letter
// on a plain square; rounded; grey and faded when `dimmed`. Drawn on a canvas, which clips and
// greys the image with any scene-graph backend (the software one has no shader effects).
Item {
    id: icon
    property url url
    property string title
    property real size: 40
    property bool dimmed: false

    implicitWidth: size
    implicitHeight: size
    opacity: dimmed ? 0.45 : 1

    Rectangle {
        anchors.fill: parent
        radius: icon.size * 0.18
        color: Theme.iconPlaceholder
        visible: !canvas.loaded
        Text {
            objectName: "modIcon.letter"
            anchors.centerIn: parent
            text: icon.title.length > 0 ? icon.title.charAt(0).toUpperCase() : ""
            color: Theme.muted
            font.pixelSize: Math.round(icon.size * 0.38)
            font.weight: Font.DemiBold
        }
    }

    Canvas {
        id: canvas
        objectName: "modIcon.image"
        anchors.fill: parent
        readonly property string source: icon.url.toString()
        property bool loaded: false
        property bool greyPending: false  // the drawn image still has to lose its colour

        onSourceChanged: {
            loaded = false
            if (source) loadImage(source)
            requestPaint()
        }
        onImageLoaded: {
            loaded = source !== "" && isImageLoaded(source)
            requestPaint()
        }
        Connections {
            target: icon
            function onDimmedChanged() { canvas.requestPaint() }
        }

        onPaint: {
            const ctx = getContext("2d")
            if (greyPending) {
                // The pixels of the previous paint are readable only now.
                greyPending = false
                const pixels = ctx.getImageData(0, 0, width, height)
                const d = pixels.data
                for (let i = 0; i < d.length; i += 4) {
                    const grey = Math.round(0.299 * d[i] + 0.587 * d[i + 1] + 0.114 * d[i + 2])
                    d[i] = grey; d[i + 1] = grey; d[i + 2] = grey
                }
                ctx.putImageData(pixels, 0, 0)
                return
            }
            ctx.reset()
            if (!loaded) return
            const r = icon.size * 0.18
            ctx.beginPath()
            ctx.roundedRect(0, 0, width, height, r, r)
            ctx.clip()
            // Fill the square, cropping the longer side.
            const image = ctx.createImageData(source)
            const scale = Math.max(width / image.width, height / image.height)
            const w = image.width * scale, h = image.height * scale
            ctx.drawImage(source, (width - w) / 2, (height - h) / 2, w, h)
            if (icon.dimmed) {
                greyPending = true
                requestPaint()
            }
        }
    }
}
