// The profile pane in the real window: header, banners and the installed mods. Model testers
// check every change the profile and mod lists report while the views use them.
#include <QAbstractItemModelTester>

#include "window_fixture.hpp"

namespace {
class Pane : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    for (QAbstractItemModel* model : {static_cast<QAbstractItemModel*>(state->profilesModel()),
                                      static_cast<QAbstractItemModel*>(state->modsModel()),
                                      static_cast<QAbstractItemModel*>(state->dependenciesModel())})
      testers.push_back(std::make_unique<QAbstractItemModelTester>(
          model, QAbstractItemModelTester::FailureReportingMode::Fatal));
  }
  std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;

  // "Raid" with A, which brings B and C, on the installed tab (a new profile opens the catalogue).
  void raid() {
    makeProfile("Raid");
    state->setTab(DetailTab::installed);
    flush();
  }
};

QObject* part(QObject* row, const char* name) { return WindowTest::inside(row, name); }
bool shown(QObject* row, const char* name) { return part(row, name)->property("visible").toBool(); }
// Whether the row's menu lists the entry (a closed menu shows none of them).
bool offered(QObject* row, const char* entry) { return part(row, entry)->property("offered").toBool(); }
void press(QObject* button) {
  QMetaObject::invokeMethod(button, "clicked");
  WindowTest::flush();
}

TEST_F(Pane, WithoutASelectionOnlyTheHintShows) {
  state->setSelectedID({});
  flush();
  EXPECT_TRUE(visible("pane.empty"));
  EXPECT_EQ(text("pane.empty"), "Create a profile to get started.");
  EXPECT_FALSE(visible("header"));
}

TEST_F(Pane, ModsAndDependenciesGetTheirOwnSectionsAndCounts) {
  EXPECT_EQ(text("header.summary"), "0 mods");
  EXPECT_TRUE(visible("installed.empty"));
  EXPECT_FALSE(visible("installed.dependenciesTitle"));

  raid();
  EXPECT_EQ(text("header.summary"), "1 mod · 2 dependencies");
  EXPECT_FALSE(visible("installed.empty"));
  EXPECT_TRUE(visible("installed.dependencies"));
  EXPECT_TRUE(find(item("installed.mods"), "modRow.A"));
  EXPECT_TRUE(find(item("installed.dependencies"), "modRow.C"));

  // Removing the mod takes what only it needed; the way to browse is back.
  run([&] { state->remove(ModItem(mod("A"))); });
  flush();
  EXPECT_EQ(text("header.summary"), "0 mods");
  EXPECT_TRUE(visible("installed.empty"));
  EXPECT_FALSE(visible("installed.dependencies"));
  click("installed.browse");
  EXPECT_EQ(state->tab(), DetailTab::browse);
  EXPECT_TRUE(exists("browse"));
  EXPECT_FALSE(exists("installed"));
}

TEST_F(Pane, BannersKeepTheirOrderAndCloseWhatTheyShow) {
  AppUpdateItem notice;
  notice.update.version = "9.0.0";
  state->setAppUpdate(QVariant::fromValue(notice));
  state->setErrorMessage("Couldn’t reach Thunderstore. Check your internet connection.");
  fs::remove_all(game / "valheim.app");
  state->checkGame();
  flush();
  const auto top = [&](const char* name) { return qobject_cast<QQuickItem*>(item(name))->y(); };
  EXPECT_LT(top("banner.update"), top("banner.error"));
  EXPECT_LT(top("banner.error"), top("banner.noGame"));
  EXPECT_FALSE(visible("banner.steamOption"));
  EXPECT_EQ(item("banner.update")->property("title").toString(), "Version 9.0.0 is available.");
  EXPECT_FALSE(shown(item("banner.noGame"), "banner.close"));

  // Without a page of its own, the update is fetched from the website.
  press(part(item("banner.update"), "banner.action"));
  ASSERT_FALSE(desktop->calls.empty());
  EXPECT_EQ(desktop->calls.back(), "url " + state->website().toStdString());
  press(part(item("banner.error"), "banner.action"));
  EXPECT_TRUE(state->showLog());
  state->setShowLog(false);
  press(part(item("banner.error"), "banner.close"));
  EXPECT_EQ(state->errorMessage(), "");
  EXPECT_FALSE(visible("banner.error"));
  press(part(item("banner.update"), "banner.close"));
  EXPECT_FALSE(state->appUpdate().isValid());
}

TEST_F(Pane, AModTheCatalogueDoesNotKnowHasNoDetails) {
  raid();
  QObject* known = item("modRow.A");
  EXPECT_TRUE(offered(known, "modRow.details"));
  press(part(known, "modRow.name"));
  ASSERT_TRUE(state->detailPackage().isValid());
  EXPECT_EQ(state->detailPackage().value<PackageItem>().fullName(), "Team-A");
  state->setDetailPackage({});
  flush();

  catalogue.setPackageList("[]");  // the catalogue forgets every mod
  state->loadIndex(true);
  ASSERT_TRUE(waitUntil([&] { return !state->indexLoading(); }));
  flush();
  QObject* unknown = item("modRow.A");
  EXPECT_FALSE(offered(unknown, "modRow.details"));
  press(part(unknown, "modRow.name"));
  EXPECT_FALSE(state->detailPackage().isValid());
  QMetaObject::invokeMethod(part(unknown, "modRow.view"), "triggered");
  ASSERT_FALSE(desktop->calls.empty());
  EXPECT_NE(desktop->calls.back().find("/p/Team/A/"), std::string::npos) << desktop->calls.back();
}

TEST_F(Pane, TheLoaderRowFollowsTheCataloguesPack) {
  raid();
  EXPECT_EQ(text("loader.version"), "5.4.2202");
  EXPECT_EQ(text("loader.status"), "Up to date");
  const auto listOnly = [&](const std::string& list) {
    catalogue.setPackageList(list);
    state->loadIndex(true);
    ASSERT_TRUE(waitUntil([&] { return !state->indexLoading(); }));
    flush();
  };
  listOnly(
      R"([{"name": "BepInExPack_Valheim", "full_name": "denikson-BepInExPack_Valheim", "owner": "denikson",
      "versions": [{"version_number": "5.4.2300"}]}])");
  EXPECT_EQ(text("loader.status"), "Update");
  EXPECT_TRUE(text("loader.version").contains("5.4.2202")) << text("loader.version").toStdString();
  EXPECT_TRUE(text("loader.version").contains("5.4.2300")) << text("loader.version").toStdString();
  listOnly("[]");  // the catalogue no longer lists it: what is installed is all there is
  EXPECT_EQ(text("loader.status"), "Installed");
  EXPECT_EQ(text("loader.version"), "5.4.2202");
}

TEST_F(Pane, TheSwitchAsksTheStateAndADisabledModLooksIt) {
  raid();
  QObject* row = item("modRow.A");
  QObject* toggle = part(row, "modRow.switch");
  EXPECT_EQ(toggle->property("tip").toString(), "Enabled — turn off to keep it installed but not loaded");
  EXPECT_FALSE(shown(row, "modRow.disabled"));

  toggle->setProperty("checked", false);
  QMetaObject::invokeMethod(toggle, "toggled");
  settle();
  flush();
  EXPECT_FALSE(mod("A").enabled);
  row = item("modRow.A");
  EXPECT_TRUE(shown(row, "modRow.disabled"));
  EXPECT_EQ(part(row, "modRow.switch")->property("tip").toString(), "Disabled");
}

TEST_F(Pane, UpdatesAreOfferedInTheRowMenuAndRemovingTakesTheModOut) {
  raid();
  EXPECT_FALSE(offered(item("modRow.B"), "modRow.update"));
  publish("B", "1.1.0");
  flush();
  QObject* row = item("modRow.B");
  EXPECT_TRUE(offered(row, "modRow.update"));
  EXPECT_EQ(part(row, "modRow.update")->property("text").toString(), "Update to 1.1.0");
  EXPECT_EQ(part(row, "modRow.version")->property("text").toString().count("1.1.0"), 1);

  QMetaObject::invokeMethod(part(item("modRow.A"), "modRow.remove"), "triggered");
  settle();
  flush();
  EXPECT_FALSE(find(item("installed.mods"), "modRow.A"));
  EXPECT_TRUE(visible("installed.empty"));
}

TEST_F(Pane, EveryControlThatChangesTheProfileWaitsWhileBusy) {
  raid();
  publish("D", "1.0.0");
  state->add(pkg("D"));  // still running
  QObject* row = item("modRow.A");
  EXPECT_FALSE(part(row, "modRow.switch")->property("enabled").toBool());
  EXPECT_FALSE(part(row, "modRow.menu")->property("enabled").toBool());
  EXPECT_FALSE(enabled("header.changeFolder"));
  EXPECT_FALSE(enabled("header.share"));
  settle();
  flush();
  EXPECT_TRUE(part(item("modRow.A"), "modRow.switch")->property("enabled").toBool());
  EXPECT_TRUE(enabled("header.share"));
}
}  // namespace
