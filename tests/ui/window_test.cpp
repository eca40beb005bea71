// The main window over the real AppState: sidebar rows, footer, menu commands and the delete
// confirmation.
#include <QQmlContext>
#include <QQmlProperty>
#include <QTest>

#include <algorithm>

#include "window_fixture.hpp"

namespace {
using Window = WindowTest;

// Whether the focused item shows the focus: a text field by its outline, a list by a ring on its
// current row, any other control by its own ring.
bool showsFocus(QQuickItem* focus) {
  if (focus->inherits("QQuickTextInput")) return true;
  QObject* holder =
      focus->inherits("QQuickListView") ? focus->property("currentItem").value<QObject*>() : focus;
  QObject* ring = holder ? WindowTest::find(holder, "focusRing") : nullptr;
  return ring && ring->property("visible").toBool();
}

// What a screen reader says for a row or a menu that has no visible label.
QString spoken(QObject* item) {
  return QQmlProperty(item, "Accessible.name", qmlContext(item)).read().toString();
}

// A sidebar row counts only the added mods and shows updates; rows and menus without a visible
// label say what they are.
TEST_F(Window, RowsCountAddedModsShowUpdatesAndSayWhatTheyAre) {
  makeProfile("Raid");  // A, with B and C as dependencies
  QObject* raid = item("sidebar.row.1");
  EXPECT_EQ(inside(raid, "sidebar.row.name")->property("text"), "Raid");
  EXPECT_EQ(inside(raid, "sidebar.row.count")->property("text"), "1 mod");
  EXPECT_FALSE(inside(raid, "sidebar.row.updates")->property("visible").toBool());
  publish("B", "1.1.0");
  QObject* capsule = inside(raid, "sidebar.row.updates");
  EXPECT_TRUE(capsule->property("visible").toBool());
  EXPECT_EQ(capsule->property("tip").toString(), "1 update available");

  EXPECT_EQ(spoken(item("sidebar.row.1")), "Raid");
  EXPECT_EQ(spoken(item("modRow.A")), "A");
  key(Qt::Key_2, Qt::ControlModifier);
  QObject* package = item("browseRow.0");
  EXPECT_EQ(spoken(package), package->property("displayName").toString());
  EXPECT_NE(spoken(package), "");
  EXPECT_EQ(spoken(item("browse.sort")), "Sort by");
}

// The footer offers installing before updating, and without the game only updating. Its Play also
// plays while something is missing (play installs it first), where the menu's waits; while the game
// runs, the button says so and waits.
TEST_F(Window, TheFooterAndTheMenuFollowWhatIsMissingAndTheGame) {
  makeProfile("Raid");
  state->activity()->setNote({});  // the note of the add would show instead of the counts
  for (const char* name : {"A", "B", "C"}) publish(name, "1.2.0");
  EXPECT_EQ(text("footer.work"), "Update All (3)");
  moveGame(true);
  EXPECT_TRUE(enabled("footer.work"));
  EXPECT_FALSE(enabled("footer.play"));
  EXPECT_FALSE(enabled("menu.Play Modded"));

  const fs::path files = selected().bepinex() / "plugins" / "Team-A";
  fs::rename(files, TestHome::path() / "Team-A");  // files gone: needs installing, which needs the game
  state->refresh();  // as the window does when it becomes active again
  flush();
  EXPECT_EQ(text("footer.status"), "1 item still needs downloading.");
  EXPECT_EQ(text("footer.work"), "Install (1)");
  EXPECT_FALSE(enabled("footer.work"));
  moveGame(false);
  EXPECT_TRUE(enabled("footer.play"));
  EXPECT_FALSE(enabled("menu.Play Modded"));
  run([&] { click("footer.work"); });
  EXPECT_TRUE(fs::exists(files));

  gameRuns(true);
  flush();
  EXPECT_EQ(text("footer.play"), "Valheim Running");
  EXPECT_FALSE(enabled("footer.play"));
}

// While an operation runs, what would start work or change the profile waits; the footer names
// the profile the operation belongs to when another is selected, and shows a cut text whole.
TEST_F(Window, EverythingThatStartsWorkOrChangesTheProfileWaitsWhileBusy) {
  makeProfile("Raid");
  publish("B", "1.1.0");
  publish("D", "1.0.0");
  showTab(DetailTab::Installed);
  const auto row = [&](const char* name) {
    return inside(item("modRow.A"), name)->property("enabled").toBool();
  };
  // Off while an operation runs; New Profile stays on.
  const QStringList controls = {"footer.work",
                                "footer.play",
                                "menu.Update All",
                                "menu.Play Modded",
                                "menu.Share Profile Code…",
                                "menu.Delete…",
                                "sidebar.menu.share",
                                "sidebar.menu.delete",
                                "header.changeFolder",
                                "header.share"};
  catalogue.hold();
  state->modController()->add(pkg("D"));  // still running
  flush();
  EXPECT_EQ(text("footer.status"), state->activity()->busy());
  EXPECT_TRUE(visible("footer.spinner"));
  for (const QString& name : controls) EXPECT_FALSE(enabled(name)) << name.toStdString();
  EXPECT_TRUE(enabled("menu.New Profile…"));
  EXPECT_FALSE(row("modRow.switch"));
  EXPECT_FALSE(row("modRow.menu"));
  EXPECT_FALSE(inside(item("modRow.B"), "modRow.updatePill")->property("enabled").toBool());
  click("sidebar.row.0");  // another profile than the operation's
  const QString line = text("footer.status");
  EXPECT_TRUE(line.endsWith(" into “Raid”…")) << line.toStdString();
  click("sidebar.row.1");
  EXPECT_FALSE(text("footer.status").contains("“Raid”"));
  catalogue.release();
  settle();
  for (const QString& name : controls) EXPECT_TRUE(enabled(name)) << name.toStdString();
  EXPECT_TRUE(row("modRow.switch"));

  state->activity()->setNote(QString("Valheim is starting. ").repeated(20));
  flush();
  EXPECT_EQ(item("footer.status")->property("tip").toString(), state->activity()->note());
  state->activity()->setNote("Short.");
  flush();
  EXPECT_EQ(item("footer.status")->property("tip").toString(), "");
}

// ⌘F goes to the search field shown: the browse tab's, or the sheet's over it.
TEST_F(Window, MenuCommandsAndShortcutsReachTheState) {
  key(Qt::Key_N, Qt::ControlModifier);
  EXPECT_TRUE(isShown(WindowState::Sheet::NewProfile));
  key(Qt::Key_Escape);
  EXPECT_FALSE(isShown(WindowState::Sheet::NewProfile));
  key(Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(state->window()->tab(), DetailTab::Browse);
  key(Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(item("browse.search")->property("activeFocus").toBool());
  showSheet(WindowState::Sheet::Config);
  key(Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(item("config.search")->property("activeFocus").toBool())
      << "the sheet's field, not the one under it";
  state->window()->close(WindowState::Sheet::Config);
  trigger("menu.Quernhold Help");
  trigger("menu.Show Activity Log");
  EXPECT_EQ(desktop->calls, (Strings{"url " + catalogue.url() + "/help"}));
  EXPECT_TRUE(isShown(WindowState::Sheet::Log));
}

TEST_F(Window, ArrowsInTheSidebarSelectTheNeighboursAndRightClickOnlyOpensTheMenu) {
  makeProfile("Raid");
  state->newProfile("Vault");
  flush();
  auto* first = qobject_cast<QQuickItem*>(item("sidebar.row.0"));
  QTest::mouseClick(window.get(), Qt::LeftButton, {}, first->mapToScene({20, 20}).toPoint());
  flush();
  EXPECT_EQ(selected().name, "Default");
  EXPECT_TRUE(item("sidebar.list")->property("activeFocus").toBool()) << "the clicked row takes the arrows";
  key(Qt::Key_Up);  // already the first
  EXPECT_EQ(selected().name, "Default");
  key(Qt::Key_Down);
  key(Qt::Key_Down);
  key(Qt::Key_Down);  // already the last
  EXPECT_EQ(selected().name, "Vault");
  key(Qt::Key_Up);
  EXPECT_EQ(selected().name, "Raid");
  EXPECT_EQ(item("sidebar.list")->property("currentIndex").toInt(), 1);

  auto* row = qobject_cast<QQuickItem*>(item("sidebar.row.2"));
  QTest::mouseClick(window.get(), Qt::RightButton, {}, row->mapToScene({20, 20}).toPoint());
  flush();
  EXPECT_EQ(selected().name, "Raid");
  EXPECT_EQ(item("sidebar")->property("menuProfile").value<ProfileItem>().profile.name, "Vault");
  EXPECT_TRUE(item("sidebar.menu")->property("opened").toBool());
}

// The menu renames, duplicates and deletes the selected profile; the sidebar's menu deletes the
// profile it was opened on, after asking. With nothing selected, only the hint shows and the
// profile's commands are off.
TEST_F(Window, TheProfileMenusRenameDuplicateAndDeleteTheRightProfile) {
  makeProfile("Raid");
  trigger("menu.Rename…");
  EXPECT_EQ(state->window()->payload().value<ProfileItem>().profile.name, "Raid");
  state->window()->close(WindowState::Sheet::Rename);
  key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(selected().name, "Raid copy");
  key(Qt::Key_Backspace, Qt::ControlModifier);
  click("sidebar.confirmDelete.confirm");
  EXPECT_EQ(state->profiles().size(), 2u);

  click("sidebar.row.1");
  ASSERT_EQ(selected().name, "Raid");
  const fs::path defaultDir = state->profiles().front().dir();
  item("sidebar")->setProperty("menuProfile", QVariant::fromValue(ProfileItem(state->profiles().front())));
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

  state->setSelectedID({});
  flush();
  EXPECT_TRUE(visible("pane.empty"));
  EXPECT_FALSE(visible("footer"));
  for (const char* name :
       {"menu.Rename…", "menu.Duplicate", "menu.Delete…", "menu.Share Profile Code…", "menu.Play Modded"})
    EXPECT_FALSE(enabled(name)) << name;
}

// The whole loop from the keyboard alone: pick a profile, browse, open a package, add it, play (the
// update review's keys have a test of their own). Every control Tab passes on the way shows that it has the
// focus.
TEST_F(Window, ThePlayersLoopWorksFromTheKeyboardAlone) {
  state->newProfile("Raid");
  state->setSelectedID(QString::fromStdString(state->profiles().front().id));
  flush();
  const auto tabTo = [&](const QString& name) {
    for (int step = 0; step < 60; ++step) {
      key(Qt::Key_Tab);
      QQuickItem* focus = window->activeFocusItem();
      if (!focus) continue;
      EXPECT_TRUE(showsFocus(focus)) << focus->metaObject()->className() << " "
                                     << focus->objectName().toStdString();
      if (focus->objectName() == name) return true;
    }
    ADD_FAILURE() << "Tab never reaches " << name.toStdString();
    return false;
  };

  ASSERT_TRUE(tabTo("sidebar.row.0"));  // the list gives the focus to its current row
  key(Qt::Key_Down);
  key(Qt::Key_Return);
  EXPECT_EQ(selected().name, "Raid");

  key(Qt::Key_2, Qt::ControlModifier);
  ASSERT_TRUE(tabTo("browseRow.0"));
  QObject* first = item("browseRow.0");
  const QString name = first->property("displayName").toString();
  key(Qt::Key_Space);
  ASSERT_TRUE(exists("sheet.package"));
  key(Qt::Key_Return);
  settle();
  const auto& mods = selected().mods;
  const auto chosen =
      std::find_if(mods.begin(), mods.end(), [](const ProfileMod& m) { return m.isExplicit; });
  ASSERT_NE(chosen, mods.end());
  EXPECT_EQ(QString::fromStdString(chosen->displayName()), name);

  key(Qt::Key_Return, Qt::ControlModifier);
  settle();
  EXPECT_EQ(state->activity()->errorMessage(), "");
  EXPECT_EQ(tools.calls("bash").size(), 1u);  // the game was started
}
// A folder that is not the game's: the game's banner says so in its place, no error stacks on it,
// and the game's own folder puts things right.
TEST_F(WindowTest, ChoosingAFolderThatIsNotTheGamesSaysSoInTheGamesBanner) {
  const fs::path gameFolder = state->game()->folder();
  // The header's Change and the banner's own button ask for the folder.
  const auto choose = [&](QObject* button, const fs::path& folder) {
    press(button);
    desktop->finishFolderChoice(QUrl::fromLocalFile(QString::fromStdString(folder.string())));
    flush();
  };
  fs::create_directories(TestHome::path() / "Downloads");
  choose(item("header.changeFolder"), TestHome::path() / "Downloads");
  ASSERT_TRUE(visible("banner.noGame"));
  EXPECT_EQ(item("banner.noGame")->property("title"), "That folder isn’t Valheim’s game folder.");
  EXPECT_EQ(item("banner.noGame")->property("message"),
            "Choose the folder named Valheim inside steamapps/common.");
  EXPECT_FALSE(visible("banner.error"));
  EXPECT_EQ(state->game()->folder(), gameFolder) << "the game found before stays";
  choose(inside(item("banner.noGame"), "banner.action"), gameFolder);
  EXPECT_FALSE(visible("banner.noGame"));
}

}  // namespace
