#include "app_fixture.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "installer/installer.hpp"
#include "support/fake_game.hpp"

namespace {
using Strings = std::vector<std::string>;

class Play : public AppTest {
 protected:
  void SetUp() override {
    publish("A", "1.0.0");
    start();
  }
  const std::string started = "Valheim is starting with “Default”. Launching from Steam later runs it unmodded.";
};

TEST_F(Play, WithSteamRunningThePreparedProfileIsActivatedAndLaunched) {
  state->add(pkg("A"));  // recorded; play installs it
  settle();
  state->play();
  settle();

  EXPECT_EQ(state->note(), QString::fromStdString(started));
  EXPECT_TRUE(state->errorMessage().isEmpty());
  EXPECT_EQ(fs::read_symlink(game / "BepInEx"), selected().bepinex());
  EXPECT_EQ(tools.calls("bash").size(), 1u);
  const Strings tail(busyTexts().end() - 3, busyTexts().end());
  EXPECT_EQ(tail, (Strings{"Preparing…", "Launching Valheim with mods…", ""}));
}

TEST_F(Play, StartingSteamShowsEveryStepInOrder) {
  tools.answerFor("pgrep", "-x", 1);
  Installer::setSleeper([this](std::chrono::milliseconds) {  // Steam comes up during the first wait
    tools.answerFor("pgrep", "-x", 0);
    FakeGame::writeSteamRegistry("12345");
  });
  state->installMissing();
  settle();
  state->play();
  settle();

  EXPECT_EQ(state->note(), QString::fromStdString(started));
  const Strings tail(busyTexts().end() - 4, busyTexts().end());
  EXPECT_EQ(tail, (Strings{"Preparing…", "Starting Steam and waiting for it to sign in…",
                           "Launching Valheim with mods…", ""}));
}

TEST_F(Play, AGameAlreadyRunningEndsThePlayWithItsSentence) {
  state->installMissing();
  settle();
  EXPECT_TRUE(state->canPlay());
  tools.answerFor("pgrep", "-f", 0);
  state->pollGame();
  ASSERT_TRUE(waitUntil([this] { return state->gameRunning(); }));
  EXPECT_FALSE(state->canPlay());

  state->play();
  settle();
  EXPECT_EQ(state->errorMessage(), "Valheim is already running.");
  EXPECT_TRUE(state->note().isEmpty());
  EXPECT_TRUE(logHas("error: Valheim is already running."));
}

TEST_F(Play, TheGameLogOpensOnlyOnceThereIsOne) {
  state->openGameLog();
  EXPECT_EQ(state->errorMessage(), "No game log yet — it appears after you play this profile once.");
  EXPECT_TRUE(workspace->calls.empty());

  const fs::path log = selected().bepinex() / "LogOutput.log";
  FS::writeAtomic(log, "loaded");
  state->openGameLog();
  EXPECT_EQ(workspace->calls, Strings{"openFile " + log.string()});
}
}  // namespace
