// The History sheet and its keyboard path, the Edit menu's Undo and Redo, and held mods in the real window.
#include "app/profile_history.hpp"
#include "installer/download_cache.hpp"
#include "window_fixture.hpp"

namespace {
class HistoryWindow : public WindowTest {
 protected:
  // "Raid" with A (and B and C) updated from 1.0.0 to 1.1.0, on the installed tab.
  void SetUp() override {
    WindowTest::SetUp();
    makeProfile("Raid");
    state->window()->setTab(DetailTab::Installed);
    updateA();
    readHistory();
  }
  void readHistory() {
    ASSERT_TRUE(waitUntil([&] { return !state->history()->loading(); }));
    flush();
  }
  void openSheet() {
    click("header.history");
    readHistory();
  }
};

TEST_F(HistoryWindow, UndoGoesBackFromTheEditMenuAndTheSheetGoesForwardAfterAsking) {
  trigger("menu.Undo Update A");
  settle();
  EXPECT_EQ(mod("A").installed, "1.0.0");
  readHistory();
  EXPECT_TRUE(enabled("menu.Redo Update A"));

  openSheet();
  ASSERT_TRUE(visible("sheet.history"));
  EXPECT_TRUE(QRectF(0, 0, window->width(), window->height()).contains(box("sheet.history.done")));
  EXPECT_EQ(text("sheet.history.since"), "Choose a snapshot to see what changed since.");
  EXPECT_FALSE(enabled("sheet.history.restore"));
  // Undo made no row of its own: the state it left is kept, and the one it went to is now.
  QObject* after = item("sheet.history.entry.0");
  EXPECT_EQ(after->property("stateText").toString(), "After you updated A 1.0.0 → 1.1.0");
  EXPECT_FALSE(inside(after, "sheet.history.now")->property("visible").toBool());
  QObject* now = item("sheet.history.entry.1");
  EXPECT_EQ(now->property("stateText").toString(), "Before you updated A 1.0.0 → 1.1.0");
  EXPECT_TRUE(inside(now, "sheet.history.now")->property("visible").toBool());

  QMetaObject::invokeMethod(after, "clicked");
  ASSERT_TRUE(waitUntil([&] { return state->history()->canRestore(); }));
  flush();
  EXPECT_EQ(text("sheet.history.since"), "Since this snapshot");
  EXPECT_TRUE(visible("sheet.history.changes"));
  click("sheet.history.restore");
  ASSERT_TRUE(exists("sheet.history.confirm"));
  EXPECT_EQ(item("sheet.history.confirm")->property("message").toString(),
            "The profile goes back to how it was after you updated A 1.0.0 → 1.1.0. A snapshot of how it is "
            "now is kept first, so this can be undone.");
  EXPECT_EQ(mod("A").installed, "1.0.0") << "nothing happens before the answer";
  click("sheet.history.confirm.confirm");
  settle();
  EXPECT_EQ(mod("A").installed, "1.1.0");
  click("sheet.history.done");
  EXPECT_FALSE(state->window()->sheetShown());
}

TEST_F(HistoryWindow, TheSheetsListTakesTabArrowsAndReturn) {
  openSheet();
  QObject* list = item("sheet.history.list");
  key(Qt::Key_Tab);
  ASSERT_TRUE(list->property("activeFocus").toBool());

  key(Qt::Key_Down);  // the profile as it is now: nothing to restore, and Return keeps the sheet
  EXPECT_EQ(text("sheet.history.since"), "This is how the profile is now.");
  key(Qt::Key_Return);
  flush();
  EXPECT_TRUE(state->window()->sheetShown());
  EXPECT_FALSE(exists("sheet.history.confirm"));

  key(Qt::Key_Down);
  ASSERT_TRUE(waitUntil([&] { return state->history()->canRestore(); }));
  flush();
  EXPECT_EQ(list->property("currentIndex").toInt(), 1);
  key(Qt::Key_Return);
  ASSERT_TRUE(exists("sheet.history.confirm"));
  key(Qt::Key_Return);  // the confirmation's own Return restores
  settle();
  EXPECT_EQ(mod("A").installed, "1.0.0");
  readHistory();
  EXPECT_TRUE(list->property("activeFocus").toBool()) << "back in the list, ready for the next key";
  key(Qt::Key_Up);
  key(Qt::Key_Escape);
  EXPECT_FALSE(state->window()->sheetShown());
}

TEST_F(HistoryWindow, TheSheetKeepsItsHeightWhenTheLineAboutMissingVersionsComesAndGoes) {
  DownloadCache::clear();  // A 1.0.0 is neither downloaded nor in the catalogue any more
  openSheet();
  QObject* sheet = item("sheet.history");  // a pop-up: its height is a property
  const qreal height = sheet->property("height").toReal();
  for (int row = 0; exists("sheet.history.entry." + QString::number(row)); ++row) {
    QObject* entry = item("sheet.history.entry." + QString::number(row));
    if (entry->property("stateText").toString() != "Before you updated A 1.0.0 → 1.1.0") continue;
    QMetaObject::invokeMethod(entry, "clicked");
  }
  ASSERT_TRUE(waitUntil([&] { return !state->history()->missing().isEmpty(); }));
  flush();
  ASSERT_TRUE(visible("sheet.history.missing"));
  EXPECT_EQ(sheet->property("height").toReal(), height);
  state->history()->setSelectedID("");
  flush();
  ASSERT_FALSE(visible("sheet.history.missing"));
  EXPECT_EQ(sheet->property("height").toReal(), height);
}

TEST_F(HistoryWindow, AHeldModShowsItsHoldAndAsksBeforeAnUpdate) {
  run([&] { state->modController()->undo(); });
  QObject* row = item("modRow.A");
  EXPECT_TRUE(inside(row, "modRow.updatePill")->property("visible").toBool());
  press(inside(row, "modRow.hold"), "triggered");
  EXPECT_TRUE(inside(row, "modRow.held")->property("visible").toBool());
  EXPECT_FALSE(inside(row, "modRow.updatePill")->property("visible").toBool());
  EXPECT_FALSE(inside(row, "modRow.status")->property("visible").toBool());  // the held pill takes its place
  EXPECT_EQ(inside(row, "modRow.hold")->property("text").toString(), "Release Hold");

  // Updating it anyway asks first; Cancel keeps the hold and the version.
  press(inside(row, "modRow.update"), "triggered");
  ASSERT_TRUE(visible("modRow.confirmUpdate"));
  click("modRow.confirmUpdate.cancel");
  flush();
  EXPECT_EQ(mod("A").installed, "1.0.0");
  press(inside(row, "modRow.update"), "triggered");
  click("modRow.confirmUpdate.confirm");
  settle();
  EXPECT_EQ(mod("A").installed, "1.1.0");
  EXPECT_FALSE(inside(item("modRow.A"), "modRow.held")->property("visible").toBool());
}
}  // namespace
