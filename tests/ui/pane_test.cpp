// The profile pane in the real window: header, banners and the installed mods. Model testers
// check every change the profile and mod lists report while the views use them.
#include <QQmlContext>
#include <QQmlProperty>
#include <QTest>

#include "ui/about.hpp"
#include "window_fixture.hpp"

namespace {
class Pane : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    testModels({state->profilesModel(), state->selection()->mods(), state->selection()->dependencies()});
  }

  // "Raid" with A, which brings B and C, on the installed tab (a new profile opens the catalogue).
  void raid() {
    makeProfile("Raid");
    showTab(DetailTab::Installed);
  }
  // A click on the row's free space, with the keys held.
  void clickRow(const char* name, Qt::KeyboardModifiers modifiers = {}) {
    auto* row = qobject_cast<QQuickItem*>(item(QString("modRow.") + name));
    QTest::mouseClick(window.get(), Qt::LeftButton, modifiers,
                      row->mapToScene({row->width() / 2, 3}).toPoint());
    flush();
  }
};

QObject* part(QObject* row, const char* name) { return WindowTest::inside(row, name); }
bool shown(QObject* row, const char* name) { return part(row, name)->property("visible").toBool(); }
// Whether the row's menu lists the entry (a closed menu shows none of them).
bool offered(QObject* row, const char* entry) { return part(row, entry)->property("offered").toBool(); }
bool picked(QObject* row) { return row->property("picked").toBool(); }

TEST_F(Pane, ModsAndDependenciesGetTheirOwnSectionsAndCounts) {
  raid();
  EXPECT_EQ(text("header.summary"), "1 mod · 2 dependencies");
  EXPECT_TRUE(visible("installed.dependencies"));
  EXPECT_TRUE(find(item("installed.mods"), "modRow.A"));
  EXPECT_TRUE(find(item("installed.dependencies"), "modRow.C"));

  // Removing the mod from its row menu takes what only it needed, and says so; the way to browse is back.
  QMetaObject::invokeMethod(part(item("modRow.A"), "modRow.remove"), "triggered");
  settle();
  EXPECT_EQ(text("footer.status"), "Removed A, B and C, which nothing else needed.");
  EXPECT_TRUE(visible("installed.empty"));
  EXPECT_FALSE(visible("installed.dependencies"));
  click("installed.browse");
  EXPECT_EQ(state->window()->tab(), DetailTab::Browse);
}

// The loader row follows the catalogue's pack; a mod the catalogue does not know has no details.
TEST_F(Pane, TheLoaderRowAndTheModRowsFollowTheCatalogue) {
  raid();
  EXPECT_EQ(text("loader.version"), "5.4.2202");
  EXPECT_EQ(text("loader.status"), "Up to date");
  QObject* known = item("modRow.A");
  EXPECT_TRUE(offered(known, "modRow.details"));
  press(part(known, "modRow.name"));
  ASSERT_TRUE(isShown(WindowState::Sheet::Package));
  EXPECT_EQ(state->window()->payload().value<PackageItem>().fullName(), "Team-A");
  state->window()->close(WindowState::Sheet::Package);
  serveList(
      R"([{"name": "BepInExPack_Valheim", "full_name": "denikson-BepInExPack_Valheim", "owner": "denikson",
      "versions": [{"version_number": "5.4.2300"}]}])");
  EXPECT_EQ(text("loader.status"), "Update");
  EXPECT_TRUE(text("loader.version").contains("5.4.2300")) << text("loader.version").toStdString();

  serveList("[]");  // the catalogue forgets every mod; what is installed is all there is
  EXPECT_EQ(text("loader.status"), "Installed");
  EXPECT_EQ(text("loader.version"), "5.4.2202");
  QObject* unknown = item("modRow.A");
  EXPECT_FALSE(offered(unknown, "modRow.details"));
  press(part(unknown, "modRow.name"));
  EXPECT_FALSE(isShown(WindowState::Sheet::Package));
  QMetaObject::invokeMethod(part(unknown, "modRow.view"), "triggered");
  ASSERT_FALSE(desktop->calls.empty());
  EXPECT_NE(desktop->calls.back().find("/p/Team/A/"), std::string::npos) << desktop->calls.back();
}

// The body starts where the banners end and the banners where the header ends, in their order,
// whatever came and went before: with none, one and three banners, on both tabs, and after
// dismissals, switches and a resize. Each banner's buttons do their part.
TEST_F(Pane, TheListSitsRightUnderTheHeaderOrTheBannersShown) {
  makeProfile("Raid");
  const auto onBothTabs = [&](const std::string& when) {
    SCOPED_TRACE(when);
    for (DetailTab tab : {DetailTab::Installed, DetailTab::Browse}) {
      showTab(tab);
      qreal bannerBottom = box("header").bottom();
      for (const char* name : {"banner.update", "banner.error", "banner.noGame", "banner.steamOption"})
        if (visible(name)) {
          EXPECT_NEAR(box(name).top(), bannerBottom + (bannerBottom == box("header").bottom() ? 4 : 8), 0.5)
              << name;
          bannerBottom = box(name).bottom();
        }
      const QString body = tab == DetailTab::Installed ? "installed" : "browse";
      EXPECT_NEAR(box(body).top(), bannerBottom, 0.5) << body.toStdString();
      EXPECT_NEAR(box(body).bottom(), box("footer").top(), 0.5);
      EXPECT_NEAR(box("footer").bottom(), box("pane").bottom(), 0.5);
    }
  };
  onBothTabs("no banners");

  moveGame(true);
  ASSERT_TRUE(visible("banner.noGame"));
  onBothTabs("the game is missing");
  EXPECT_EQ(text("header.gameDir"), "Not set");  // not the folder it looked in
  EXPECT_FALSE(shown(item("banner.noGame"), "banner.close"));
  EXPECT_FALSE(visible("banner.steamOption"));
  AppUpdateItem notice;
  notice.update.version = "9.0.0";
  state->catalogue()->setAppUpdate(QVariant::fromValue(notice));
  state->activity()->setErrorMessage("Couldn’t reach Thunderstore. Check your internet connection.");
  flush();
  onBothTabs("an update, an error and the missing game");
  EXPECT_EQ(item("banner.update")->property("title").toString(), "Version 9.0.0 is available.");

  // Without a page of its own, the update is fetched from the website.
  press(part(item("banner.update"), "banner.action"));
  ASSERT_FALSE(desktop->calls.empty());
  EXPECT_EQ(desktop->calls.back(), "url " + About::website().toStdString());
  press(part(item("banner.error"), "banner.action"));
  EXPECT_TRUE(isShown(WindowState::Sheet::Log));
  state->window()->close(WindowState::Sheet::Log);
  moveGame(false);
  EXPECT_NE(text("header.gameDir"), "Not set");
  press(part(item("banner.error"), "banner.close"));
  EXPECT_EQ(state->activity()->errorMessage(), "");
  click("sidebar.row.0");
  onBothTabs("the game back and the error dismissed, after a switch");
  press(part(item("banner.update"), "banner.close"));
  EXPECT_FALSE(state->catalogue()->appUpdate().isValid());
  click("sidebar.row.1");
  window->resize(1300, 900);
  flush();
  onBothTabs("every banner gone, after a switch and a resize");
}

// An update is offered in the row's menu and by its pill; the other rows' pills stay labels.
TEST_F(Pane, TheUpdatePillUpdatesItsModAndOtherPillsStayLabels) {
  raid();
  EXPECT_FALSE(offered(item("modRow.B"), "modRow.update"));
  publish("B", "1.1.0");
  flush();
  EXPECT_TRUE(offered(item("modRow.B"), "modRow.update"));
  EXPECT_EQ(part(item("modRow.B"), "modRow.version")->property("text").toString().count("1.1.0"), 1);
  EXPECT_FALSE(shown(item("modRow.A"), "modRow.updatePill"));
  QObject* pill = part(item("modRow.B"), "modRow.updatePill");
  EXPECT_TRUE(pill->property("visible").toBool());
  EXPECT_FALSE(shown(item("modRow.B"), "modRow.status"));
  EXPECT_EQ(pill->property("tip").toString(), "Update to 1.1.0");
  EXPECT_EQ(pill->property("focusPolicy").toInt(), int(Qt::StrongFocus));

  press(pill);  // B has no changelog to review: it updates once that is known
  ASSERT_TRUE(waitUntil([&] { return !state->activity()->idle(); }));
  settle();
  EXPECT_EQ(mod("B").installed, "1.1.0");
  EXPECT_FALSE(shown(item("modRow.B"), "modRow.updatePill"));
}

// A needs B, B needs C; D needs B too once added. The switch asks the state, which may ask back.
TEST_F(Pane, TurningOffOrRemovingWhatOthersNeedAsksOrSaysWhy) {
  raid();
  auto toggleOff = [&](const char* name) {
    QObject* toggle = part(item(QString("modRow.") + name), "modRow.switch");
    toggle->setProperty("checked", false);
    QMetaObject::invokeMethod(toggle, "toggled");
    settle();
  };
  auto removeEntry = [&](const char* name) { return part(item(QString("modRow.") + name), "modRow.remove"); };

  toggleOff("B");
  EXPECT_TRUE(mod("B").enabled);
  EXPECT_EQ(inside(item("modRow.confirmOff"), "sheet.title")->property("text"),
            "A needs B. Turn B off anyway?");
  click("modRow.confirmOff.cancel");
  EXPECT_TRUE(mod("B").enabled);
  EXPECT_TRUE(part(item("modRow.B"), "modRow.switch")->property("checked").toBool());

  EXPECT_FALSE(removeEntry("B")->property("enabled").toBool());
  // The menu shows the disabled entry's reason on hover.
  QObject* menu = part(item("modRow.B"), "modRow.menu.popup");
  press(menu, "open");
  auto* entry = qobject_cast<QQuickItem*>(removeEntry("B"));
  QTest::mouseMove(window.get(), entry->mapToScene({20, entry->height() / 2}).toPoint());
  flush();
  EXPECT_EQ(menu->property("contentItem").value<QObject*>()->property("tip"), "Needed by A");
  press(menu, "close");
  EXPECT_TRUE(removeEntry("A")->property("enabled").toBool());

  publish("D", "1.0.0", {"Team-B-1.0.0"});
  run([&] { state->modController()->add(pkg("D")); });
  showTab(DetailTab::Installed);
  EXPECT_EQ(removeEntry("B")->property("tip"), "Needed by A and D");
  toggleOff("B");
  EXPECT_EQ(inside(item("modRow.confirmOff"), "sheet.title")->property("text"),
            "A and D need B. Turn B off anyway?");
  click("modRow.confirmOff.cancel");

  // Only enabled mods count: with A and D off, B turns off without a question.
  EXPECT_FALSE(shown(item("modRow.A"), "modRow.disabled"));
  const QRectF rowA = box("modRow.A"), rowB = box("modRow.B");
  toggleOff("A");
  EXPECT_TRUE(shown(item("modRow.A"), "modRow.disabled")) << "a disabled mod looks it";
  EXPECT_EQ(box("modRow.A"), rowA) << "the pill comes beside the name: the row keeps its height";
  EXPECT_EQ(box("modRow.B"), rowB);
  toggleOff("D");
  toggleOff("B");
  EXPECT_FALSE(exists("modRow.confirmOff"));
  EXPECT_FALSE(mod("B").enabled);
  QMetaObject::invokeMethod(part(item("modRow.B"), "modRow.switch"), "toggle");
  QMetaObject::invokeMethod(part(item("modRow.B"), "modRow.switch"), "toggled");
  settle();
  EXPECT_TRUE(mod("B").enabled);

  toggleOff("C");  // B is on again and needs C
  click("modRow.confirmOff.confirm");
  settle();
  EXPECT_FALSE(mod("C").enabled);
}

// ⌘-click picks rows one by one, ⇧-click a range; the bar turns them all off (in one step that one
// Undo takes back, as the app's tests check); no row moves when the bar comes or goes.
TEST_F(Pane, PickedRowsTurnOffTogetherFromTheBar) {
  raid();
  const qreal listTop = box("installed.mods").top();
  clickRow("A");
  EXPECT_TRUE(picked(item("modRow.A")));
  EXPECT_FALSE(visible("installed.selectionBar")) << "one row is no selection to act on";
  clickRow("C", Qt::ShiftModifier);
  EXPECT_TRUE(picked(item("modRow.B")));
  clickRow("B", Qt::ControlModifier);
  EXPECT_FALSE(picked(item("modRow.B")));
  clickRow("B", Qt::ControlModifier);
  ASSERT_TRUE(visible("installed.selectionBar"));
  EXPECT_EQ(text("selection.summary"), "3 selected");
  EXPECT_NEAR(box("installed.mods").top(), listTop, 0.5) << "no row moves when the bar comes";
  EXPECT_LE(box("installed.selectionBar").bottom(), box("footer").top());
  EXPECT_TRUE(
      QQmlProperty(item("modRow.B"), "Accessible.selected", qmlContext(item("modRow.B"))).read().toBool());

  click("selection.turnOff");
  settle();
  for (const char* name : {"A", "B", "C"}) EXPECT_FALSE(mod(name).enabled) << name;
  EXPECT_TRUE(visible("selection.turnOn"));
  EXPECT_TRUE(waitUntil([&] { return state->history()->undoText() == "Undo Turn Off 3 Mods"; }));

  key(Qt::Key_Escape);
  EXPECT_FALSE(picked(item("modRow.A")));
  EXPECT_FALSE(visible("installed.selectionBar"));
  EXPECT_NEAR(box("installed.mods").top(), listTop, 0.5);
  key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(text("selection.summary"), "3 selected");
}
}  // namespace
