#include <QClipboard>
#include <QGuiApplication>

#include <fstream>

#include "app/launch_check.hpp"
#include "foundation/paths.hpp"
#include "profiles/good_launch.hpp"
#include "testkit/fake_game.hpp"
#include "window_fixture.hpp"

namespace {
// B loads and then throws every frame; A never loads for want of C's plug-in.
const char* const log =
    "[Message:   BepInEx] BepInEx 5.4.22.0 - valheim (11/11/2024 10:23:24 PM)\n"
    "[Info   :   BepInEx] 2 plugins to load\n"
    "[Info   :   BepInEx] Loading [B 1.0.0]\n"
    "[Error  :   BepInEx] Could not load [A 1.0.0] because it has missing dependencies: team.Zed\n"
    "[Message:   BepInEx] Chainloader startup complete\n"
    "[Error  : Unity Log] NullReferenceException: Object reference not set\n"
    "Stack trace:\n"
    "B.Patches.Tick () (at <abc>:0)\n";

class LaunchReportWindow : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    run([&] { state->modController()->add(pkg("A")); });
    tools.alsoRun("bash", "printf '%s' '" + logText() + "' > \"$4/BepInEx/LogOutput.log\"");
    run([&] { state->launcher()->play(); });
    ASSERT_TRUE(waitUntil([this] { return !state->launchCheck()->summary().isEmpty(); }));
    flush();
  }
  virtual std::string logText() const { return log; }
  QQuickItem* quick(const QString& name) const { return qobject_cast<QQuickItem*>(item(name)); }
};

// More problems than the report's list has room for.
class LongLaunchReport : public LaunchReportWindow {
 protected:
  std::string logText() const override {
    std::string text = log;
    for (int i = 0; i < 12; ++i)
      text += "[Error  :   BepInEx] Could not load [Extra" + std::to_string(i) +
              " 1.0.0] because it has missing dependencies: team.Zed\n";
    return text;
  }
};

// The footer and the menu open the report; each problem shows its lines and its fix.
TEST_F(LaunchReportWindow, TheReportOpensAndEachProblemShowsItsLinesAndItsFix) {
  EXPECT_EQ(text("footer.status"), "1 of 2 mods loaded — 2 problems");
  ASSERT_TRUE(visible("footer.report"));
  click("footer.report");
  EXPECT_TRUE(visible("sheet.launch"));
  EXPECT_EQ(text("sheet.launch.counts"), "BepInEx 5.4.22.0  ·  1 loaded  ·  0 skipped  ·  1 not loaded");
  state->window()->close(WindowState::Sheet::LaunchReport);
  trigger("menu.Launch Report…");
  ASSERT_TRUE(visible("sheet.launch"));

  QObject* missing = item("sheet.launch.problem.0");
  QObject* thrown = item("sheet.launch.problem.1");
  EXPECT_EQ(inside(missing, "sheet.launch.action")->property("text").toString(), "Turn Off");
  EXPECT_FALSE(visible("sheet.launch.warnings")) << "no warnings, no group";
  auto* excerpt = qobject_cast<QQuickItem*>(inside(thrown, "sheet.launch.excerpt"));
  auto* reason = qobject_cast<QQuickItem*>(inside(thrown, "sheet.launch.reason"));
  EXPECT_FALSE(excerpt->isVisible());
  press(inside(thrown, "sheet.launch.lines"));
  ASSERT_TRUE(excerpt->isVisible());
  EXPECT_TRUE(excerpt->property("text").toString().contains("B.Patches.Tick"));
  EXPECT_GT(excerpt->mapToScene({0, 0}).y(), reason->mapToScene({0, reason->height()}).y());

  // B's fix asks what the row's switch asks, below the row, while its button stays put and waits.
  auto* action = qobject_cast<QQuickItem*>(inside(thrown, "sheet.launch.action"));
  const QPointF at = action->mapToScene({0, 0});
  press(action);
  auto* question = qobject_cast<QQuickItem*>(inside(item("sheet.launch.problem.1"), "sheet.launch.question"));
  ASSERT_TRUE(question->isVisible());
  EXPECT_EQ(action->mapToScene({0, 0}), at);
  EXPECT_FALSE(action->isEnabled()) << "a second click on the same spot does nothing";
  EXPECT_GT(question->mapToScene({0, 0}).y(), at.y() + action->height() - 1);
  // Cancel is the question's default: Return takes it and the sheet stays.
  EXPECT_TRUE(inside(question, "sheet.launch.question.cancel")->property("isDefault").toBool());
  EXPECT_FALSE(item("sheet.launch.done")->property("isDefault").toBool());
  key(Qt::Key_Return);
  EXPECT_FALSE(question->isVisible());
  EXPECT_TRUE(visible("sheet.launch"));
  EXPECT_TRUE(mod("B").enabled);
  press(action);
  QMetaObject::invokeMethod(inside(question, "sheet.launch.question.confirm"), "clicked");
  settle();
  EXPECT_FALSE(mod("B").enabled);

  // Fixed: it says so where its fix was, under its own heading; the counts follow, Report stays.
  QObject* fixed = item("sheet.launch.problem.1");
  EXPECT_EQ(inside(fixed, "sheet.launch.heading")->property("text"),
            "Fixed since this launch — play again to check");
  EXPECT_EQ(inside(fixed, "sheet.launch.outcome")->property("text"), "Turned off");
  EXPECT_TRUE(visible("footer.report"));
  QMetaObject::invokeMethod(inside(fixed, "sheet.launch.undo"), "clicked");
  settle();
  EXPECT_TRUE(mod("B").enabled);

  auto* openLog = qobject_cast<QQuickItem*>(item("sheet.launch.openLog"));
  const QPointF openLogAt = openLog->mapToScene({0, 0});
  const qreal copyWidth = quick("sheet.launch.copy")->width();
  click("sheet.launch.copy");
  EXPECT_EQ(text("sheet.launch.copy"), "Copied");
  EXPECT_EQ(quick("sheet.launch.copy")->width(), copyWidth);
  EXPECT_EQ(openLog->mapToScene({0, 0}), openLogAt) << "Copy Report keeps its width";
  EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("Valheim launch report — BepInEx 5.4.22.0"));
  click("sheet.launch.openLog");
  EXPECT_EQ(desktop->calls.back(), "file " + (selected().bepinex() / "LogOutput.log").string());
}

// Show Lines on the last problem, scrolled to the end of the list: the lines open in view.
TEST_F(LongLaunchReport, ShowLinesScrollsTheLinesIntoView) {
  showSheet(WindowState::Sheet::LaunchReport);
  auto* list = quick("sheet.launch.problems");
  ASSERT_GT(list->property("contentHeight").toReal(), list->height());
  press(list, "positionViewAtEnd");
  const int last = list->property("count").toInt() - 1;
  QObject* problem = item("sheet.launch.problem." + QString::number(last));
  press(inside(problem, "sheet.launch.lines"));
  auto* excerpt = qobject_cast<QQuickItem*>(inside(problem, "sheet.launch.excerpt"));
  ASSERT_TRUE(excerpt->isVisible());
  const QRectF view = list->mapRectToScene(list->boundingRect());
  EXPECT_LE(excerpt->mapToScene({0, excerpt->height()}).y(), view.bottom() + 1);
  EXPECT_GE(excerpt->mapToScene({0, 0}).y(), view.top());
}

// Play Modded with a start script that never starts the loader: the game runs, no log comes. The
// banner sits between the header and the list, and when it goes the list is back where it was.
TEST_F(WindowTest, WithoutAFreshLogTheNoLoaderBannerComesAndGoesAboveTheList) {
  LaunchCheck& check = *state->launchCheck();
  check.setPatience(std::chrono::milliseconds(0));
  run([&] { state->modController()->add(pkg("A")); });
  showTab(DetailTab::Installed);
  const QRectF list = box("installed");
  ASSERT_NEAR(list.top(), box("header").bottom(), 0.5);
  const auto launchWithoutLoader = [&] {
    run([&] { state->launcher()->play(); });
    gameRuns(true);
    ASSERT_TRUE(waitUntil([&] { return check.noLoader(); }));
    flush();
    ASSERT_TRUE(visible("banner.noLoader"));
    EXPECT_NEAR(box("banner.noLoader").top(), box("header").bottom() + 4, 0.5);
    EXPECT_NEAR(box("installed").top(), box("banner.noLoader").bottom(), 0.5);
  };

  launchWithoutLoader();
  // Each cause mends through the system's tools; what changes the Mac is asked first.
  press(inside(item("banner.noLoader"), "banner.cause.1"));
  ASSERT_TRUE(visible("banner.confirm"));
  EXPECT_TRUE(tools.calls("softwareupdate").empty());
  click("banner.confirm.confirm");
  settle();
  EXPECT_EQ(tools.calls("softwareupdate").size(), 1u);
  EXPECT_FALSE(visible("banner.noLoader"));
  check.setPatience(std::chrono::hours(1));  // the same launch: no banner again by itself
  gameRuns(false);
  check.setPatience(std::chrono::milliseconds(0));
  launchWithoutLoader();
  QMetaObject::invokeMethod(inside(item("banner.noLoader"), "banner.action"), "clicked");
  EXPECT_EQ(desktop->calls.back(), "file " + Paths::gameLog().string());
  press(inside(item("banner.noLoader"), "banner.close"));
  EXPECT_FALSE(visible("banner.noLoader"));

  // The game quits; at the next launch the loader writes late, and its report takes the banner's place.
  gameRuns(false);
  launchWithoutLoader();
  std::ofstream(selected().bepinex() / "LogOutput.log") << log;
  ASSERT_TRUE(waitUntil([&] { return check.hasReport(); }));
  flush();
  EXPECT_FALSE(visible("banner.noLoader"));
  EXPECT_EQ(box("installed"), list);
}
}  // namespace

// After a game update, Play Modded shows a warning above the list instead of launching, once
// however often it is clicked; each of its buttons does its part. Rows of mods with nothing newer
// than the update say so.
TEST_F(WindowTest, AGameUpdateIsToldInTheBannerStackBeforePlayModdedLaunches) {
  run([&] { state->modController()->add(pkg("A")); });
  ProfileStore::saveGoodLaunch(selected(), goodLaunchOf(selected(), 14862538, ::now()));
  FakeGame::writeAppManifest(game, "15000000", "1764763200");
  showTab(DetailTab::Installed);
  const QRectF list = box("installed");
  const auto playWarns = [&] {
    click("footer.play");
    settle();
    ASSERT_TRUE(visible("banner.gameUpdate"));
    EXPECT_NEAR(box("banner.gameUpdate").top(), box("header").bottom() + 4, 0.5);
    EXPECT_NEAR(box("installed").top(), box("banner.gameUpdate").bottom(), 0.5);
  };
  const auto bannerClick = [&](const char* name) {
    QMetaObject::invokeMethod(inside(item("banner.gameUpdate"), name), "clicked");
    settle();
  };

  playWarns();
  const QRectF banner = box("banner.gameUpdate");
  EXPECT_TRUE(tools.calls("bash").empty());
  EXPECT_TRUE(visible("modRow.olderThanGame"));
  playWarns();
  EXPECT_EQ(box("banner.gameUpdate"), banner) << "a second click stacks nothing";
  bannerClick("banner.action");
  EXPECT_TRUE(isShown(WindowState::Sheet::UpdateReview));
  state->window()->close(WindowState::Sheet::UpdateReview);

  bannerClick("banner.second");
  EXPECT_EQ(tools.calls("bash").size(), 1u);
  EXPECT_FALSE(visible("banner.gameUpdate"));
  EXPECT_EQ(box("installed"), list);
  playWarns();
  bannerClick("banner.third");
  EXPECT_EQ(tools.calls("bash").size(), 2u);
  EXPECT_FALSE(visible("banner.gameUpdate"));
}
