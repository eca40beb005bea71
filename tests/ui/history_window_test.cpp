// The History sheet, the Edit menu's Undo and held mods in the real window.
#include <QQuickItem>

#include "app/profile_history.hpp"
#include "window_fixture.hpp"

namespace {
class HistoryWindow : public WindowTest {
 protected:
  // "Raid" with A (and B and C) updated from 1.0.0 to 1.1.0, on the installed tab.
  void SetUp() override {
    WindowTest::SetUp();
    makeProfile("Raid");
    state->window()->setTab(DetailTab::Installed);
    publish("A", "1.1.0", {"Team-B-1.0.0"});
    run([&] { state->update(mod("A")); });
    ASSERT_EQ(mod("A").installed, "1.1.0");
    ASSERT_TRUE(waitUntil([&] { return !state->history()->loading(); }));
    flush();
  }
  QRectF box(const QString& name) const {
    auto* shown = qobject_cast<QQuickItem*>(item(name));
    return shown->mapRectToScene(shown->boundingRect());
  }
};

TEST_F(HistoryWindow, AnUpdateGoesBackFromTheSheetAndItsRestoreFromTheEditMenu) {
  trigger("menu.Undo Update A");
  settle();
  EXPECT_EQ(mod("A").installed, "1.0.0");

  // The restore is in the history too, and the sheet puts the update back.
  click("header.history");
  ASSERT_TRUE(waitUntil([&] { return !state->history()->loading(); }));
  flush();
  ASSERT_TRUE(visible("sheet.history"));
  const QRectF shown(0, 0, window->width(), window->height());
  EXPECT_TRUE(shown.contains(box("sheet.history.list")));
  EXPECT_TRUE(shown.contains(box("sheet.history.done")));
  EXPECT_EQ(text("sheet.history.since"), "Choose a snapshot to see what changed since.");
  EXPECT_FALSE(enabled("sheet.history.restore"));
  QObject* restoreRow = item("sheet.history.entry.0");
  EXPECT_EQ(restoreRow->property("description").toString(), "Went back to before “Updated A 1.0.0 → 1.1.0”");
  QMetaObject::invokeMethod(restoreRow, "clicked");
  ASSERT_TRUE(waitUntil([&] { return state->history()->canRestore(); }));
  flush();
  EXPECT_EQ(text("sheet.history.since"), "Since this snapshot");
  EXPECT_TRUE(visible("sheet.history.changes"));
  EXPECT_FALSE(visible("sheet.history.missing"));

  click("sheet.history.restore");
  settle();
  EXPECT_EQ(mod("A").installed, "1.1.0");
  EXPECT_EQ(state->activity()->errorMessage(), "");
  click("sheet.history.done");
  flush();
  EXPECT_FALSE(state->window()->sheetShown());
  EXPECT_TRUE(enabled("menu.Undo Restore"));
}

TEST_F(HistoryWindow, AHeldModShowsItsHoldAndAsksBeforeAnUpdate) {
  run([&] { state->undo(); });
  QObject* row = item("modRow.A");
  EXPECT_TRUE(inside(row, "modRow.updatePill")->property("visible").toBool());
  QMetaObject::invokeMethod(inside(row, "modRow.hold"), "triggered");
  flush();
  EXPECT_TRUE(inside(row, "modRow.held")->property("visible").toBool());
  EXPECT_FALSE(inside(row, "modRow.updatePill")->property("visible").toBool());
  EXPECT_FALSE(inside(row, "modRow.status")->property("visible").toBool());
  EXPECT_EQ(inside(row, "modRow.hold")->property("text").toString(), "Release Hold");

  // Updating it anyway asks first; Cancel keeps the hold and the version.
  QMetaObject::invokeMethod(inside(row, "modRow.update"), "triggered");
  flush();
  ASSERT_TRUE(visible("modRow.confirmUpdate"));
  click("modRow.confirmUpdate.cancel");
  flush();
  EXPECT_EQ(mod("A").installed, "1.0.0");
  QMetaObject::invokeMethod(inside(row, "modRow.update"), "triggered");
  flush();
  click("modRow.confirmUpdate.confirm");
  settle();
  EXPECT_EQ(mod("A").installed, "1.1.0");
  EXPECT_FALSE(inside(item("modRow.A"), "modRow.held")->property("visible").toBool());
}
}  // namespace
