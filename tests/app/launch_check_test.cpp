#include <QCoreApplication>

#include <fstream>

#include "app/launch_check.hpp"
#include "app_fixture.hpp"
#include "installer/installer.hpp"
#include "profiles/good_launch.hpp"
#include "testkit/fake_game.hpp"

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

// An exception whose stack names the plug-in namespace `in`.
std::string thrownIn(const std::string& in) {
  return "[Error  : Unity Log] NullReferenceException: Object reference not set\nStack trace:\n" + in +
         ".Patches.Tick () (at <abc>:0)\n";
}
const std::string exception = thrownIn("C");

class LaunchCheckTest : public StartedApp {
 protected:
  void SetUp() override {
    StartedApp::SetUp();
    publish("D", "1.0.0");
    run([&] { state->modController()->add(pkg("A")); });
  }
  LaunchCheck& check() const { return *state->launchCheck(); }
  fs::path log() const { return selected().bepinex() / "LogOutput.log"; }
  // The fake start script writes `text` as the loader's log of this launch.
  void launchWriting(const std::string& text) {
    const fs::path source = TestHome::path() / "next-log";
    write(source, text);
    tools.alsoRun("bash", "cp '" + source.string() + "' \"$4/BepInEx/LogOutput.log\"");
    run([&] { state->launcher()->play(); });
  }
  static void write(const fs::path& file, const std::string& text, bool append = false) {
    std::ofstream(file, std::ios::binary | (append ? std::ios::app : std::ios::trunc)) << text;
  }
  QVariantMap problem(int i) const { return check().problems()[i].toMap(); }
};

TEST_F(LaunchCheckTest, ACleanStartSaysHowManyModsLoadedAndItsReportStaysUntilTheNextLaunch) {
  launchWriting(cleanStart);
  ASSERT_TRUE(waitUntil([this] { return !check().summary().isEmpty(); }));
  EXPECT_EQ(check().summary(), "2 mods loaded.");
  EXPECT_EQ(state->activity()->note(), "2 mods loaded.");

  // The report stays until the next launch, which closes its sheet.
  ASSERT_TRUE(state->window()->open(WindowState::Sheet::LaunchReport));
  tools.alsoRun("bash", "true");
  run([&] { state->launcher()->play(); });
  EXPECT_FALSE(check().hasReport());
  EXPECT_FALSE(state->window()->sheetShown());
}

TEST_F(LaunchCheckTest, ProblemsComeGroupedWithTheirFixAndErrorsWhilePlayingArriveLive) {
  launchWriting(brokenStart);
  ASSERT_TRUE(waitUntil([this] { return !check().summary().isEmpty(); }));
  EXPECT_EQ(state->activity()->note(), "2 of 3 mods loaded — 1 problem");
  ASSERT_EQ(check().problems().size(), 1);
  QVariantMap missing = problem(0);
  EXPECT_EQ(missing["title"], "A");
  EXPECT_EQ(missing["reason"], "It didn’t load: it needs D, which isn’t in this profile.");
  EXPECT_EQ(missing["actionLabel"], "Add D");

  // The game throws every frame: the repeats fold into one problem, the footer note follows.
  write(log(), exception + exception + exception, true);
  ASSERT_TRUE(waitUntil([this] { return check().problems().size() == 2; }));
  EXPECT_EQ(state->activity()->note(), "2 of 3 mods loaded — 2 problems");
  const QVariantMap thrown = problem(1);
  EXPECT_EQ(thrown["title"], "C");
  EXPECT_EQ(thrown["lines"], "Lines 7–13 (3 times)");
  EXPECT_EQ(thrown["actionLabel"], "Turn Off");
  EXPECT_TRUE(check().text().contains("C.Patches.Tick"));
  EXPECT_TRUE(
      check().text().contains("- It threw an error 3 times: NullReferenceException: Object reference not "
                              "set. Lines 7–13 (3 times).\n"))
      << check().text().toStdString();

  run([&] { check().fix(missing["key"].toString()); });
  EXPECT_TRUE(selected().find("Team-D"));
  EXPECT_EQ(state->activity()->note(), "Added D.") << "the fix's own note; the report keeps count";
  EXPECT_EQ(check().summary(), "2 of 3 mods loaded — 1 problem");
}

// A fix from the report asks what the row's switch asks, and then shows in its place what it did,
// under "Fixed since this launch"; Undo brings the problem back with its action.
TEST_F(LaunchCheckTest, AFixAsksLikeTheRowAndStaysInPlaceAsWhatItDid) {
  launchWriting(brokenStart + exception);
  ASSERT_TRUE(waitUntil([this] { return check().problems().size() == 2; }));
  const QString thrown = problem(1)["key"].toString();
  ASSERT_EQ(problem(1)["actionLabel"], "Turn Off");

  EXPECT_EQ(check().fix(thrown), "B needs C. Turn C off anyway?");
  EXPECT_TRUE(mod("C").enabled) << "nothing changes before the answer";
  run([&] { EXPECT_EQ(check().fix(thrown, true), ""); });
  EXPECT_FALSE(mod("C").enabled);
  ASSERT_EQ(check().problems().size(), 2);
  EXPECT_EQ(problem(1)["key"], thrown);
  EXPECT_EQ(problem(1)["heading"], "Fixed since this launch — play again to check");
  EXPECT_EQ(problem(1)["outcome"], "Turned off");
  EXPECT_EQ(problem(1)["action"], "") << "no other action takes the button's place";
  EXPECT_TRUE(problem(1)["undoable"].toBool());
  EXPECT_EQ(check().summary(), "2 of 3 mods loaded — 1 problem");
  run([&] { check().fix(thrown, true); });
  EXPECT_FALSE(mod("C").enabled) << "a second click on a fixed problem does nothing";

  run([&] { check().undoFix(); });
  EXPECT_TRUE(mod("C").enabled);
  EXPECT_EQ(problem(1)["outcome"], "");
  EXPECT_EQ(problem(1)["actionLabel"], "Turn Off");
  EXPECT_EQ(check().summary(), "2 of 3 mods loaded — 2 problems");

  // An update is a fix too, and says to which version.
  publish("C", "2.0.0");
  run([&] { state->catalogue()->loadIndex(true); });
  ASSERT_EQ(problem(1)["actionLabel"], "Update");
  run([&] { check().fix(thrown); });
  EXPECT_EQ(problem(1)["outcome"], "Updated to 2.0.0");
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
  gameRuns(true);
  ASSERT_TRUE(waitUntil([this] { return check().hasReport(); }));
  EXPECT_TRUE(check().problems().isEmpty()) << "a line may still be being written while the game runs";
  gameRuns(false);
  ASSERT_TRUE(waitUntil([this] { return check().problems().size() == 1; }));
  EXPECT_EQ(problem(0)["title"], "B");
  EXPECT_EQ(problem(0)["lines"], "Line 6");
}

// With the game running and no fresh log, the banner says the loader did not start; each likely
// cause has its mending, run through the system's tools.
TEST_F(LaunchCheckTest, TheNoLoaderBannerComesWithoutAFreshLogAndMendsEachCause) {
  check().setPatience(std::chrono::milliseconds(0));
  write(log(), cleanStart);  // the last start's log is not this launch's
  tools.alsoRun("bash", "true");
  run([&] { state->launcher()->play(); });
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_FALSE(check().noLoader()) << "the game is not running yet";
  gameRuns(true);
  EXPECT_TRUE(check().noLoader());
  EXPECT_EQ(state->activity()->note(), "") << "the footer no longer says the game is starting";

  const auto noLoader = [&] {
    gameRuns(false);  // the last launch's game has gone
    run([&] { state->launcher()->play(); });
    gameRuns(true);
    ASSERT_TRUE(check().noLoader());
  };
  tools.answer("softwareupdate", 1, "Can't install Rosetta: no network\n");
  run([&] { check().installRosetta(); });
  EXPECT_EQ(state->activity()->errorMessage(), "Can't install Rosetta: no network") << "the tool's own words";
  EXPECT_TRUE(check().noLoader());
  tools.answer("softwareupdate", 0);
  run([&] { check().installRosetta(); });
  EXPECT_EQ(tools.calls("softwareupdate").back(), (Strings{"--install-rosetta", "--agree-to-license"}));
  EXPECT_EQ(state->activity()->note(), "Rosetta is installed. Quit Valheim and play again.");
  EXPECT_FALSE(check().noLoader());

  const fs::path gameDir = state->game()->folder();
  noLoader();
  run([&] { check().clearQuarantine(); });
  const auto calls = tools.calls("xattr");
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[calls.size() - 2], (Strings{"-dr", "com.apple.quarantine", gameDir.string()}));
  EXPECT_EQ(calls.back(), (Strings{"-dr", "com.apple.quarantine", selected().bepinex().string()}));

  noLoader();
  fs::remove(gameDir / "run_bepinex.sh");
  catalogue.serve("/BepInEx/BepInEx/releases/download/v5.4.23.2/BepInEx_macos_x64_5.4.23.2.zip",
                  zipBytes(FakeGame::loaderArchive()));
  run([&] { check().repairLoaderFiles(); });
  EXPECT_TRUE(Installer::loaderInstalled(gameDir));

  // Quit the game started from Steam and play modded here: the game goes, then Play Modded runs.
  noLoader();
  tools.alsoRun("pkill", "echo 1 > \"$d/pgrep -f.code\"");
  const size_t launches = tools.calls("bash").size();
  run([&] { check().quitAndPlayModded(); });
  EXPECT_EQ(tools.calls("pkill").back(), (Strings{"-f", "valheim.app/Contents/MacOS"}));
  ASSERT_TRUE(waitUntil([&] { return tools.calls("bash").size() == launches + 1; }));
  EXPECT_FALSE(check().noLoader());
}

// A launch whose start-up completes becomes its profile's good launch, with the game's build, once;
// until then the record stays as it was. It is the launched profile's, even after a switch.
TEST_F(LaunchCheckTest, StartUpCompleteRecordsTheLaunchedProfilesGoodLaunchOnce) {
  const Profile launched = selected();
  const std::string clean = cleanStart;
  launchWriting(clean.substr(0, clean.rfind("[Message")));
  ASSERT_TRUE(waitUntil([this] { return check().loaded() == 2; }));
  state->newProfile("Other");
  ASSERT_NE(selected().id, launched.id);
  EXPECT_EQ(ProfileStore::loadGoodLaunch(launched), std::nullopt) << "start-up has not completed";

  const fs::path launchedLog = launched.bepinex() / "LogOutput.log";
  write(launchedLog, "[Message:   BepInEx] Chainloader startup complete\n", true);
  ASSERT_TRUE(waitUntil([&] { return ProfileStore::loadGoodLaunch(launched).has_value(); }));
  const GoodLaunch good = *ProfileStore::loadGoodLaunch(launched);
  EXPECT_EQ(good.gameBuild, 14862538);
  EXPECT_EQ(good.mods.at("Team-A"), "1.0.0");
  EXPECT_EQ(ProfileStore::loadGoodLaunch(selected()), std::nullopt) << "not the profile selected now";

  // What the log adds later is the same launch: the record is not written again.
  ProfileStore::saveGoodLaunch(launched, GoodLaunch{.mods = {{"Team-A", "0.9.0"}}});
  write(launchedLog, exception, true);
  ASSERT_TRUE(waitUntil([this] { return check().problems().size() == 1; }));
  EXPECT_EQ(ProfileStore::loadGoodLaunch(launched)->mods.at("Team-A"), "0.9.0");
}

// A problem of a mod updated since the last launch that worked names the update and goes back to
// the snapshot before it, as one undoable step.
TEST_F(LaunchCheckTest, AModUpdatedSinceTheLastGoodLaunchGoesBackToTheVersionThatWorked) {
  launchWriting(cleanStart);
  ASSERT_TRUE(waitUntil([this] { return ProfileStore::loadGoodLaunch(selected()).has_value(); }));
  updateA();
  std::string updated = cleanStart;
  updated.replace(updated.find("[A 1.0.0]"), 9, "[A 1.1.0]");
  launchWriting(updated + thrownIn("A"));
  ASSERT_TRUE(waitUntil([this] { return check().problems().size() == 1; }));
  EXPECT_EQ(problem(0)["since"], "A was updated since the last launch that worked (1.0.0 → 1.1.0).");
  EXPECT_EQ(problem(0)["actionLabel"], "Go Back to 1.0.0");
  EXPECT_TRUE(
      check().text().contains("set. A was updated since the last launch that worked (1.0.0 → 1.1.0). Line"))
      << check().text().toStdString();

  run([&] { check().fix(problem(0)["key"].toString()); });
  EXPECT_EQ(mod("A").installed, "1.0.0");
  EXPECT_EQ(problem(0)["outcome"], "Back at 1.0.0");
  run([&] { check().undoFix(); });
  EXPECT_EQ(mod("A").installed, "1.1.0") << "the restore is one step back in the history";
  EXPECT_EQ(problem(0)["actionLabel"], "Go Back to 1.0.0");
}
}  // namespace
