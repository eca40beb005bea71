import QtQuick
import QtQuick.Shapes
import Quernhold

// The brand mark: a stave with two chevrons, stroked in ember, `size` wide and 1.1 × size high.
Item {
    id: mark
    property real size: 20

    implicitWidth: size
    implicitHeight: size * 1.1

    Shape {
        // Drawn in a 20 × 22 box and scaled about its centre.
        width: 20; height: 22
        anchors.centerIn: parent
        scale: mark.size / 20
        antialiasing: true

        ShapePath {
            strokeColor: Theme.ember
            strokeWidth: 2.2
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap
            joinStyle: ShapePath.RoundJoin
            startX: 10; startY: 2
            PathLine { x: 10; y: 20 }
            PathMove { x: 3; y: 8.5 }
            PathLine { x: 10; y: 2 }
            PathLine { x: 17; y: 8.5 }
            PathMove { x: 6; y: 14 }
            PathLine { x: 10; y: 10.5 }
            PathLine { x: 14; y: 14 }
        }
    }
}
