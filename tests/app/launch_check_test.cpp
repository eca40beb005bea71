#include <QCoreApplication>

#include <fstream>

#include "app/launch_check.hpp"
#include "app_fixture.hpp"

namespace {
const char* const cleanStart =
    "[Message:   BepInEx] BepInEx 5.4.22.0 - valheim (11/11/2024 10:23:24 PM)\n"
    "[Info   :   BepInEx] 2 plugins to load\n"
    "[Info   :   BepInEx] Loading [A 1.0.0]\n"
    "[Info   :   BepInEx] Loading [B 1.0.0]\n"
    "[Message:   BepInEx] Chainloader startup complete\n";

// A needs a plug-in that the catalogue's Team-D provides; C never loads.
const char* const brokenStart =
    "[Message:   BepInEx] BepInEx 5.4.22.0 - valheim (11/11/2024 10:23:24 PM)\n"
    "[Info   :   BepInEx] 3 plugins to load\n"
    "[Info   :   BepInEx] Loading [B 1.0.0]\n"
    "[Info   :   BepInEx] Loading [C 1.0.0]\n"
    "[Error  :   BepInEx] Could not load [A 1.0.0] because it has missing dependencies: team.D\n"
    "[Message:   BepInEx] Chainloader startup complete\n";

const char* const exception =
    "[Error  : Unity Log] NullReferenceException: Object reference not set\n"
    "Stack trace:\n"
    "C.Patches.Tick () (at <abc>:0)\n";

class LaunchCheckTest : public StartedApp {
 protected:
  void SetUp() override {
    StartedApp::SetUp();
    publish("D", "1.0.0");
    run([&] { state->add(pkg("A")); });
  }
  LaunchCheck& check() const { return *state->launchCheck(); }
  fs::path log() const { return selected().bepinex() / "LogOutput.log"; }
  // The fake start script writes `text` as the loader's log of this launch.
  void launchWriting(const std::string& text) {
    const fs::path source = TestHome::path() / "next-log";
    write(source, text);
    tools.alsoRun("bash", "cp '" + source.string() + "' \"$4/BepInEx/LogOutput.log\"");
    run([&] { state->play(); });
  }
  static void write(const fs::path& file, const std::string& text, bool append = false) {
    std::ofstream(file, std::ios::binary | (append ? std::ios::app : std::ios::trunc)) << text;
  }
  void gameRuns() {
    tools.answerFor("pgrep", "-f", 0);
    state->pollGame();
    ASSERT_TRUE(waitUntil([this] { return state->game()->running(); }));
  }
};

TEST_F(LaunchCheckTest, ACleanStartSaysHowManyModsLoadedInPlaceOfTheStartingNote) {
  launchWriting(cleanStart);
  ASSERT_TRUE(waitUntil([this] { return !check().summary().isEmpty(); }));
  EXPECT_EQ(check().summary(), "2 mods loaded.");
  EXPECT_EQ(state->activity()->note(), "2 mods loaded.");
  EXPECT_EQ(check().loader(), "5.4.22.0");
  EXPECT_EQ(check().loaded(), 2);
  EXPECT_TRUE(check().problems().isEmpty());
  EXPECT_FALSE(check().noLoader());
}

TEST_F(LaunchCheckTest, ProblemsComeGroupedWithTheirFixAndErrorsWhilePlayingArriveLive) {
  launchWriting(brokenStart);
  ASSERT_TRUE(waitUntil([this] { return !check().summary().isEmpty(); }));
  EXPECT_EQ(state->activity()->note(), "2 of 3 mods loaded — 1 problem");
  EXPECT_EQ(check().failed(), 1);
  ASSERT_EQ(check().problems().size(), 1);
  QVariantMap missing = check().problems()[0].toMap();
  EXPECT_EQ(missing["title"], "A");
  EXPECT_EQ(missing["reason"], "It didn’t load: it needs D, which isn’t in this profile.");
  EXPECT_EQ(missing["actionLabel"], "Add D");

  // The game throws every frame: the repeats fold into one problem, the footer note follows.
  write(log(), std::string(exception) + exception + exception, true);
  ASSERT_TRUE(waitUntil([this] { return check().problems().size() == 2; }));
  EXPECT_EQ(state->activity()->note(), "2 of 3 mods loaded — 2 problems");
  const QVariantMap thrown = check().problems()[1].toMap();
  EXPECT_EQ(thrown["title"], "C");
  EXPECT_EQ(thrown["lines"], "Lines 7–13 (3 times)");
  EXPECT_EQ(thrown["actionLabel"], "Turn Off");
  EXPECT_TRUE(check().text().contains("C.Patches.Tick"));

  run([&] { check().act("add", "Team-D"); });
  EXPECT_TRUE(selected().find("Team-D"));
  run([&] { check().act("turnOff", "Team-C"); });
  EXPECT_FALSE(mod("C").enabled);
  // D is in the profile now, so A can only be turned off; C is off already.
  EXPECT_EQ(check().problems()[0].toMap()["actionLabel"].toString(), "Turn Off");
  EXPECT_EQ(check().problems()[1].toMap()["actionLabel"].toString(), "");
}

TEST_F(LaunchCheckTest, AReplacedOrCutLogStartsANewReport) {
  launchWriting(brokenStart);
  ASSERT_TRUE(waitUntil([this] { return check().failed() == 1; }));
  fs::remove(log());
  write(log(), cleanStart);
  ASSERT_TRUE(waitUntil([this] { return check().summary() == "2 mods loaded."; }));
  write(log(), "[Message:   BepInEx] BepInEx 5.4.21.0 - valheim\n");
  ASSERT_TRUE(waitUntil([this] { return check().loader() == "5.4.21.0"; }));
  EXPECT_EQ(check().loaded(), 0);
  EXPECT_TRUE(check().summary().isEmpty());
}

TEST_F(LaunchCheckTest, WhenTheGameQuitsTheLastLineCountsThoughItsLineEndNeverCame) {
  launchWriting(std::string(cleanStart) + "[Error  :         B] The world could not be saved");
  gameRuns();
  ASSERT_TRUE(waitUntil([this] { return check().hasReport(); }));
  EXPECT_TRUE(check().problems().isEmpty()) << "a line may still be being written while the game runs";
  tools.answerFor("pgrep", "-f", 1);
  state->pollGame();
  ASSERT_TRUE(waitUntil([this] { return check().problems().size() == 1; }));
  EXPECT_EQ(check().problems()[0].toMap()["title"], "B");
  EXPECT_EQ(check().problems()[0].toMap()["lines"], "Line 6");
}

TEST_F(LaunchCheckTest, WithTheGameRunningAndNoFreshLogTheBannerSaysTheLoaderDidNotStart) {
  check().setPatience(std::chrono::milliseconds(0));
  write(log(), cleanStart);  // the last start's log is not this launch's
  tools.alsoRun("bash", "true");
  run([&] { state->play(); });
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_FALSE(check().noLoader()) << "the game is not running yet";
  gameRuns();
  EXPECT_TRUE(check().noLoader());
  EXPECT_FALSE(check().hasReport());
}

TEST_F(LaunchCheckTest, TheReportStaysUntilTheNextLaunchAndItsSheetWaitsForOthers) {
  launchWriting(cleanStart);
  ASSERT_TRUE(waitUntil([this] { return check().hasReport(); }));
  state->window()->setShowLog(true);
  check().setShown(true);
  EXPECT_FALSE(check().shown());
  state->window()->setShowLog(false);
  check().setShown(true);
  EXPECT_TRUE(state->window()->sheetShown());
  state->window()->setShowImport(true);
  EXPECT_FALSE(state->window()->showImport());

  tools.alsoRun("bash", "true");
  run([&] { state->play(); });
  EXPECT_FALSE(check().hasReport());
  EXPECT_FALSE(check().shown());
  EXPECT_FALSE(state->window()->sheetShown());
}
}  // namespace
