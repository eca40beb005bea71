// Nothing jumps: what comes and goes in the footer leaves the rest where it was, and a row's menu
// opens inside the window.
#include "window_fixture.hpp"

namespace {
using Steady = WindowTest;
QRectF place(QQuickItem* shown) { return shown->mapRectToScene(shown->boundingRect()); }

TEST_F(Steady, LogAndFolderKeepTheirPlaceWhenTheUpdateButtonGoes) {
  makeProfile("Raid");
  publish("A", "1.2.0");
  ASSERT_TRUE(visible("footer.work"));
  const QRectF log = box("footer.log"), folder = box("footer.folder");
  click("footer.work");  // the review of the update
  run([&] { key(Qt::Key_Return); });
  ASSERT_FALSE(visible("footer.work"));
  EXPECT_EQ(box("footer.log"), log);
  EXPECT_EQ(box("footer.folder"), folder);
}

// A mod row's menu opens under its button at the window's right edge; near the bottom it opens upward.
TEST_F(Steady, RowMenusOpenInsideTheWindow) {
  makeProfile("Raid");
  state->window()->setTab(DetailTab::Installed);
  window->resize(window->width(), window->minimumHeight());
  flush();
  const QRectF shown(0, 0, window->width(), window->height());
  for (const char* name : {"modRow.A", "modRow.C"}) {
    SCOPED_TRACE(name);
    auto* button = qobject_cast<QQuickItem*>(inside(item(name), "modRow.menu"));
    press(button);
    QObject* popup = inside(item(name), "modRow.menu.popup");
    auto* menu = qobject_cast<QQuickItem*>(popup->property("contentItem").value<QObject*>());
    ASSERT_TRUE(menu && menu->isVisible());
    const QRectF at = place(menu);
    EXPECT_TRUE(shown.contains(at)) << at.x() << "," << at.y() << " " << at.width() << "×" << at.height();
    if (place(button).bottom() + at.height() > shown.bottom()) {
      EXPECT_LT(at.top(), place(button).top()) << "opens upward: menu " << at.height() << " high, button at "
                                               << place(button).bottom() << " of " << shown.bottom();
    }
    key(Qt::Key_Escape);
  }
}
}  // namespace
