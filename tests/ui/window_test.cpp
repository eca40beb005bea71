// The main window over the real AppState: sidebar rows, footer, menu commands and the delete
// confirmation.
#include "window_fixture.hpp"

namespace {
using Window = WindowTest;

QString rowText(QObject* row, const char* part) {
  return WindowTest::inside(row, part)->property("text").toString();
}

TEST_F(Window, SidebarRowsCountOnlyAddedModsAndShowUpdates) {
  makeProfile("Raid");  // A, with B and C as dependencies
  QObject* raid = item("sidebar.row.1");
  EXPECT_EQ(rowText(raid, "sidebar.row.name"), "Raid");
  EXPECT_EQ(rowText(raid, "sidebar.row.count"), "1 mod");
  EXPECT_EQ(rowText(item("sidebar.row.0"), "sidebar.row.count"), "0 mods");
  EXPECT_FALSE(inside(raid, "sidebar.row.updates")->property("visible").toBool());

  publish("B", "1.1.0");
  QObject* capsule = inside(raid, "sidebar.row.updates");
  EXPECT_TRUE(capsule->property("visible").toBool());
  EXPECT_EQ(capsule->property("tip").toString(), "1 update available");
  publish("C", "1.1.0");
  EXPECT_EQ(capsule->property("tip").toString(), "2 updates available");
}

TEST_F(Window, ChoosingARowSelectsItsProfile) {
  makeProfile("Raid");
  click("sidebar.row.0");
  EXPECT_EQ(state->selected()->name, "Default");
}

TEST_F(Window, FooterOffersInstallThenUpdateWithTheirCounts) {
  makeProfile("Raid");
  EXPECT_EQ(text("footer.status"), "Added A.");
  state->setNote({});
  flush();
  EXPECT_EQ(text("footer.status"), "Everything is up to date.");
  EXPECT_FALSE(visible("footer.work"));

  publish("B", "1.1.0");
  EXPECT_EQ(text("footer.status"), "1 update available.");
  EXPECT_EQ(text("footer.work"), "Update 1");
  for (const char* name : {"A", "C"}) publish(name, "1.2.0");
  EXPECT_EQ(text("footer.status"), "3 updates available.");
  EXPECT_EQ(text("footer.work"), "Update All (3)");

  fs::remove_all(selected().bepinex() / "plugins" / "Team-A");  // files gone: needs installing
  state->checkGame();
  flush();
  EXPECT_EQ(text("footer.status"), "1 item still needs downloading.");
  EXPECT_EQ(text("footer.work"), "Install (1)");
  run([&] { click("footer.work"); });
  EXPECT_TRUE(fs::exists(selected().bepinex() / "plugins" / "Team-A"));
}

TEST_F(Window, EverythingThatStartsWorkIsDisabledWhileBusy) {
  makeProfile("Raid");
  publish("B", "1.1.0");
  publish("D", "1.0.0");
  state->add(pkg("D"));  // still running
  EXPECT_EQ(text("footer.status"), state->busy());
  EXPECT_TRUE(visible("footer.spinner"));
  for (const char* name : {"footer.work", "footer.play", "menu.Update All", "menu.Share Profile Code…",
                           "menu.Play Modded", "sidebar.menu.share"})
    EXPECT_FALSE(enabled(name)) << name;
  EXPECT_TRUE(enabled("menu.New Profile…"));
  settle();
  flush();
  for (const char* name : {"footer.work", "footer.play", "menu.Update All", "sidebar.menu.share"})
    EXPECT_TRUE(enabled(name)) << name;
}

TEST_F(Window, WithoutTheGameOnlyUpdatingStaysPossible) {
  makeProfile("Raid");
  publish("B", "1.1.0");
  fs::remove_all(game / "valheim.app");
  state->checkGame();
  flush();
  EXPECT_TRUE(enabled("footer.work"));  // "Update 1"
  EXPECT_FALSE(enabled("footer.play"));
  EXPECT_FALSE(enabled("menu.Play Modded"));

  fs::remove_all(selected().bepinex() / "plugins" / "Team-A");
  state->checkGame();
  flush();
  EXPECT_EQ(text("footer.work"), "Install (1)");
  EXPECT_FALSE(enabled("footer.work"));
}

TEST_F(Window, PlayReadsRunningWhileTheGameRuns) {
  EXPECT_EQ(text("footer.play"), "Play Modded");
  tools.answerFor("pgrep", "-f", 0);
  state->pollGame();
  ASSERT_TRUE(waitUntil([&] { return state->gameRunning(); }));
  flush();
  EXPECT_EQ(text("footer.play"), "Valheim Running");
  EXPECT_FALSE(enabled("footer.play"));
}

TEST_F(Window, WithNothingSelectedSharingAndPlayingAreOff) {
  state->setSelectedID({});
  flush();
  EXPECT_FALSE(enabled("menu.Share Profile Code…"));
  EXPECT_FALSE(enabled("menu.Play Modded"));
  EXPECT_FALSE(visible("footer"));
}

TEST_F(Window, MenuCommandsAndShortcutsReachTheState) {
  key(Qt::Key_N, Qt::ControlModifier);
  EXPECT_TRUE(state->showNewProfile());
  key(Qt::Key_Escape);
  EXPECT_FALSE(state->showNewProfile());
  key(Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(state->tab(), DetailTab::browse);
  trigger("menu.Quernhold Help");
  trigger("menu.Show Activity Log");
  EXPECT_EQ(desktop->calls, (Strings{"url " + catalogue.url() + "/help"}));
  EXPECT_TRUE(state->showLog());
}

TEST_F(Window, DeleteAsksFirstAndDeletesTheProfileItWasAskedFor) {
  makeProfile("Raid");
  const fs::path defaultDir = state->profiles().front().dir();
  QObject* sidebar = item("sidebar");
  sidebar->setProperty("menuProfile", QVariant::fromValue(ProfileItem(state->profiles().front())));
  trigger("sidebar.menu.delete");
  EXPECT_EQ(inside(item("sidebar.confirmDelete"), "sheet.title")->property("text").toString(),
            "Delete “Default”?");
  click("sidebar.confirmDelete.cancel");
  EXPECT_FALSE(exists("sidebar.confirmDelete.confirm"));
  EXPECT_EQ(state->profiles().size(), 2u);

  trigger("sidebar.menu.delete");
  click("sidebar.confirmDelete.confirm");
  ASSERT_EQ(state->profiles().size(), 1u);
  EXPECT_EQ(selected().name, "Raid");  // the selection stays where it was
  EXPECT_FALSE(fs::exists(defaultDir));
  EXPECT_TRUE(sidebar->property("confirmDelete").isNull());
}
}  // namespace
