// The five sheets in the real window: their buttons, keys, texts and what they hand to the state.
#include <QClipboard>
#include <QGuiApplication>

#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "window_fixture.hpp"

namespace {
using Sheets = WindowTest;

TEST_F(Sheets, NewProfileTrimsTheNameOrLeavesItToTheDefaultAndEscapeMakesNothing) {
  click("sidebar.newProfile");
  type("sheet.newProfile.name", "Raid");
  key(Qt::Key_Escape);
  EXPECT_FALSE(exists("sheet.newProfile"));
  EXPECT_EQ(state->profiles().size(), 1u);

  click("sidebar.newProfile");
  EXPECT_EQ(text("sheet.newProfile.name"), "");  // a fresh sheet
  type("sheet.newProfile.name", "  Raid\t");
  key(Qt::Key_Return);
  EXPECT_FALSE(isShown(WindowState::Sheet::NewProfile));
  EXPECT_EQ(selected().name, "Raid");

  click("sidebar.newProfile");
  click("sheet.newProfile.main");
  EXPECT_EQ(selected().name, "New Profile");
  EXPECT_EQ(state->profiles().size(), 3u);
}

TEST_F(Sheets, RenameStartsFromTheCurrentNameAndKeepsLongNamesWhole) {
  showSheet(WindowState::Sheet::Rename, QVariant::fromValue(ProfileItem(selected())));
  EXPECT_EQ(text("sheet.rename.name"), "Default");
  const QString longName = QString(300, QChar('x')) + " / : 🛡️";
  type("sheet.rename.name", longName);
  click("sheet.rename.main");
  EXPECT_FALSE(isShown(WindowState::Sheet::Rename));
  settle();  // the record is saved on a worker
  EXPECT_EQ(QString::fromStdString(onDisk(selected().id).name), longName);
  EXPECT_TRUE(inside(item("sidebar.row.0"), "sidebar.row.name")->property("truncated").toBool());
}

TEST_F(Sheets, ImportShowsTheProblemConfirmsBeforeReplacingAndPastes) {
  run([&] { state->modController()->add(pkg("A")); });
  click("sidebar.importCode");
  type("sheet.import.code", "abc");
  type("sheet.import.name", "default");
  EXPECT_TRUE(visible("sheet.import.problem"));
  EXPECT_FALSE(enabled("sheet.import.main"));

  click("sheet.import.modeReplace");
  EXPECT_EQ(text("sheet.import.main"), "Replace…");
  EXPECT_FALSE(visible("sheet.import.problem"));
  key(Qt::Key_Return);  // asks first
  EXPECT_TRUE(exists("sheet.import.confirm.confirm"));
  EXPECT_TRUE(state->activity()->busy().isEmpty());
  click("sheet.import.confirm.cancel");
  EXPECT_TRUE(isShown(WindowState::Sheet::Import));
  EXPECT_FALSE(exists("sheet.import.confirm.confirm"));

  // Paste takes the trimmed pasteboard, and an empty one changes nothing.
  QGuiApplication::clipboard()->setText("  0190-ABCD\r\n");
  click("sheet.import.paste");
  EXPECT_EQ(text("sheet.import.code"), "0190-ABCD");
  QGuiApplication::clipboard()->clear();
  click("sheet.import.paste");
  EXPECT_EQ(text("sheet.import.code"), "0190-ABCD");
}

// Tab walks the sheet's controls in reading order, wraps round, and never leaves the sheet.
TEST_F(Sheets, TabWalksTheImportSheetInReadingOrder) {
  click("sidebar.importCode");
  type("sheet.import.name", "Raid");
  type("sheet.import.code", "abc");  // and the focus is back in the first field
  auto* sheet = qobject_cast<QQuickItem*>(item("sheet.import")->property("contentItem").value<QObject*>());
  ASSERT_TRUE(sheet);
  std::vector<std::string> walk;
  for (int step = 0; step < 8; ++step) {
    QQuickItem* focus = window->activeFocusItem();
    ASSERT_TRUE(focus && sheet->isAncestorOf(focus)) << "step " << step;
    walk.push_back(focus->objectName().toStdString());
    key(Qt::Key_Tab);
  }
  const std::vector<std::string> expected = {
      "sheet.import.code", "sheet.import.paste",  "sheet.import.modeNew", "sheet.import.modeReplace",
      "sheet.import.name", "sheet.import.cancel", "sheet.import.main",    "sheet.import.code"};
  EXPECT_EQ(walk, expected);
}

TEST_F(Sheets, LogShowsNoLogYetRefreshesToNewLinesAndShowsItsOwnErrors) {
  fs::remove(Paths::logFile());
  showSheet(WindowState::Sheet::Log);
  EXPECT_EQ(text("sheet.log.text"), "No log yet.");
  Log::write("something happened");
  click("sheet.log.refresh");
  EXPECT_TRUE(text("sheet.log.text").contains("something happened"));
  click("sheet.log.reveal");
  EXPECT_EQ(desktop->calls, (Strings{"reveal " + Paths::logFile().string()}));

  // The sheet covers the pane's banner, so its own errors show inside it.
  EXPECT_FALSE(visible("sheet.error"));
  click("sheet.log.gameLog");  // no game log yet
  ASSERT_TRUE(visible("sheet.error"));
  EXPECT_EQ(text("sheet.error.text"), state->activity()->errorMessage());
  auto* sheet = qobject_cast<QQuickItem*>(item("sheet.log")->property("contentItem").value<QObject*>());
  EXPECT_TRUE(sheet && sheet->isAncestorOf(qobject_cast<QQuickItem*>(item("sheet.error"))));
  click("sheet.error.close");
  EXPECT_EQ(state->activity()->errorMessage(), "");
  EXPECT_TRUE(isShown(WindowState::Sheet::Log));
  click("sheet.log.done");
  EXPECT_FALSE(isShown(WindowState::Sheet::Log));
}
// While a sheet is shown, the commands that open another are off and their keys do nothing; a
// closed sheet stays closed, and a code that arrives takes the place of the sheet then shown, whose
// Copy copies it.
TEST_F(Sheets, OneSheetAtATimeAndNoneComesBackByItself) {
  const char* const openers[] = {"menu.New Profile…", "menu.Import Profile Code…", "menu.Share Profile Code…",
                                 "menu.Config Files", "menu.Show Activity Log"};
  key(Qt::Key_3, Qt::ControlModifier);
  ASSERT_TRUE(isShown(WindowState::Sheet::Config));
  for (const char* name : openers) EXPECT_FALSE(enabled(name)) << name;
  key(Qt::Key_N, Qt::ControlModifier);
  key(Qt::Key_I, Qt::ControlModifier);
  showSheet(WindowState::Sheet::Log);
  EXPECT_FALSE(exists("sheet.newProfile") || exists("sheet.import") || exists("sheet.log"));
  click("sheet.config.done");
  EXPECT_FALSE(state->window()->sheetShown());
  for (const char* name : openers) EXPECT_TRUE(enabled(name)) << name;

  state->window()->open(WindowState::Sheet::Log);
  run([&] { state->transfer()->shareCode(selected()); });  // the code arrives while the log is open
  flush();
  EXPECT_FALSE(exists("sheet.log"));
  ASSERT_TRUE(exists("sheet.share"));
  EXPECT_EQ(inside(item("sheet.share"), "sheet.title")->property("text").toString(), "Share “Default”");
  click("sheet.share.copy");  // exactly the code
  EXPECT_EQ(QGuiApplication::clipboard()->text(), state->window()->payload().value<SharedCode>().id);
  EXPECT_EQ(text("sheet.share.copy"), "Copied");
  key(Qt::Key_Return);  // Done
  EXPECT_FALSE(exists("sheet.share"));
  key(Qt::Key_I, Qt::ControlModifier);
  key(Qt::Key_Escape);
  EXPECT_FALSE(state->window()->sheetShown());
  EXPECT_FALSE(exists("sheet.share") || exists("sheet.import"));
}
}  // namespace
