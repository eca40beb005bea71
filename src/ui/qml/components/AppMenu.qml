import QtQuick
import QtQuick.Controls
import Quernhold

// A pop-up menu on the dark theme. An item's `tip` shows on hover, a disabled item's too (it gets
// no hover of its own), so that a disabled item can say why.
Menu {
    id: menu
    padding: Theme.menuPadding
    // Inside the window: shifted in from the sides.
    margins: Theme.menuPadding
    // Opens at (`x`, `y`) of `item`; where there is no room below, it opens upward from `top`
    // instead (Qt would shift it up over what it opened from).
    function openAt(item: Item, x: real, y: real, top: real) {
        popup(item, x, y)
        contentItem.forceLayout() // qmllint disable type
        if (item.mapToItem(null, 0, y).y + height > item.Window.height - margins)
            menu.y = top - height
    }
    implicitWidth: 220
    background: Rectangle {
        implicitWidth: 220
        radius: Theme.controlRadius
        color: Theme.surface2
        border.width: 1
        border.color: Theme.btnBorder
    }
    delegate: AppMenuItem {}
    // Its own ids make it no longer deferred; a menu takes any item declared in it for an entry.
    contentItem: ListView { // qmllint disable deferred-property-id
        // The tip of the item under the pointer.
        readonly property string tip: {
            if (!tipHover.hovered) return ""
            const under = itemAt(tipHover.point.position.x + contentX, tipHover.point.position.y + contentY)
            return under && under.tip !== undefined ? under.tip : ""
        }
        implicitHeight: contentHeight
        model: menu.contentModel
        interactive: Window.window ? contentHeight + menu.topPadding + menu.bottomPadding > Window.window.height : false
        clip: true
        currentIndex: menu.currentIndex
        ScrollIndicator.vertical: ScrollIndicator {}
        HoverHandler { id: tipHover }
        ToolTip.visible: tip !== ""
        ToolTip.text: tip
        ToolTip.delay: Theme.menuToolTipDelay
    }
}
