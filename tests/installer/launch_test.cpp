#include <chrono>
#include <functional>

#include "foundation/app_error.hpp"
#include "installer/installer.hpp"
#include "installer_fixture.hpp"
#include "support/fake_game.hpp"
#include "support/fake_tools.hpp"

namespace {
using namespace std::chrono_literals;
using Args = std::vector<std::string>;
using Sleeps = std::vector<std::chrono::milliseconds>;

const std::string steamDidNotStart = "Steam didn’t start. Open Steam, sign in, and try again.";
const std::string launching = "Launching Valheim with mods…";

// `n` one-second polls, then `after`.
Sleeps polls(size_t n, const Sleeps& after = {}) {
  Sleeps all(n, 1000ms);
  all.insert(all.end(), after.begin(), after.end());
  return all;
}

class Launch : public InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    FakeGame::make(game);
    FakeGame::addLoader(game);
    setGameRunning(false);
    setSteamRunning(true);
    tools.answer("sysctl", 0, "0\n");  // an Intel Mac
    Installer::setSleeper([this](std::chrono::milliseconds d) {
      sleeps.push_back(d);
      if (onSleep) onSleep(sleeps.size());
    });
  }
  void TearDown() override { Installer::setSleeper({}); }

  void setGameRunning(bool running) { tools.answerFor("pgrep", "-f", running ? 0 : 1); }
  void setSteamRunning(bool running) { tools.answerFor("pgrep", "-x", running ? 0 : 1); }
  void setAppleSilicon(bool intelBuild, bool rosetta) {
    tools.answer("sysctl", 0, "1\n");
    tools.answer("arch", rosetta ? 0 : 1);
    FakeGame::make(game, intelBuild ? FakeGame::universalBinary : FakeGame::armOnlyBinary);
  }
  // Launches; returns the failure's message, "" when the game was started.
  std::string launch() {
    try {
      Installer::launch(game, [this](const std::string& m) { messages.push_back(m); });
    } catch (const AppError& e) {
      return e.what();
    }
    return "";
  }
  // The one start of the run script, or none when `command` is empty.
  std::vector<Args> started(const std::string& command) {
    if (command.empty()) return {};
    return {{"-c", "cd \"$1\" && nohup " + command + " > \"$2\" 2>&1 < /dev/null &", "quernhold", game.string(),
             Paths::gameLog().string()}};
  }

  FakeTools tools{TestHome::path() / "tools"};
  Sleeps sleeps;
  std::function<void(size_t)> onSleep;
  std::vector<std::string> messages;
};

TEST_F(Launch, WithSteamRunningOnIntelStartsTheScriptDirectly) {
  EXPECT_EQ(launch(), "");
  EXPECT_EQ(readFile(game / "steam_appid.txt"), "892970\n");
  EXPECT_EQ(tools.calls("bash"), started("./run_bepinex.sh"));
  EXPECT_TRUE(tools.calls("open").empty() && tools.calls("arch").empty()) << "no Steam start, no Rosetta check";
  EXPECT_EQ(messages, Args{launching});
  EXPECT_EQ(sleeps, Sleeps{2000ms});
  EXPECT_TRUE(logHas("launch via: ./run_bepinex.sh\n") && logHas("launch: code=0 \n"));
}

TEST_F(Launch, RefusesBeforeTouchingAnything) {
  setGameRunning(true);
  EXPECT_EQ(launch(), "Valheim is already running.");
  fs::remove(game / "libdoorstop.dylib");
  EXPECT_EQ(launch(), "The mod loader isn’t installed yet.");
  EXPECT_EQ(tools.calls("pgrep").size(), 1u) << "Steam is not probed";
  EXPECT_TRUE(tools.calls("open").empty() && tools.calls("bash").empty());
  EXPECT_FALSE(fs::exists(game / "steam_appid.txt"));
}

TEST_F(Launch, StartsSteamAndWaitsForTheSignIn) {
  setSteamRunning(false);
  FakeGame::writeSteamRegistry("0");
  onSleep = [this](size_t n) {
    if (n == 5) setSteamRunning(true);
    if (n == 8) FakeGame::writeSteamRegistry("12345678");
  };
  EXPECT_EQ(launch(), "");
  EXPECT_EQ(tools.calls("open"), (std::vector<Args>{{"-a", "Steam"}}));
  EXPECT_EQ(sleeps, polls(8, {3000ms, 2000ms}));
  EXPECT_EQ(messages, (Args{"Starting Steam and waiting for it to sign in…", launching}));
  EXPECT_EQ(tools.calls("bash"), started("./run_bepinex.sh"));
}

TEST_F(Launch, ASteamThatNeverSignsInIsLetThroughAfterTheWait) {
  setSteamRunning(false);
  FakeGame::writeSteamRegistry("0");
  onSleep = [this](size_t n) {
    if (n == 1) setSteamRunning(true);
  };
  EXPECT_EQ(launch(), "");
  EXPECT_EQ(sleeps, polls(90, {2000ms}));
  EXPECT_EQ(tools.calls("bash"), started("./run_bepinex.sh"));
}

TEST_F(Launch, ASteamThatNeverStartsFailsAfterNinetyPolls) {
  setSteamRunning(false);
  FakeGame::writeSteamRegistry("76561198000000000");  // a stale user does not count without Steam
  EXPECT_EQ(launch(), steamDidNotStart);
  EXPECT_EQ(sleeps, polls(90));
  EXPECT_FALSE(fs::exists(game / "steam_appid.txt"));
  EXPECT_TRUE(tools.calls("bash").empty());
}

TEST_F(Launch, OnAppleSiliconRunsTheScriptUnderRosetta) {
  setAppleSilicon(true, true);
  EXPECT_EQ(launch(), "");
  EXPECT_EQ(tools.calls("arch"), (std::vector<Args>{{"-x86_64", "/usr/bin/true"}}));
  EXPECT_EQ(tools.calls("bash"), started("arch -x86_64 /bin/bash ./run_bepinex.sh"));
}

TEST_F(Launch, OnAppleSiliconNeedsTheIntelBuildAndRosetta) {
  setAppleSilicon(false, true);
  EXPECT_EQ(launch(), "This copy of Valheim only contains an Apple Silicon build, but the Mac mod loader (BepInEx) "
                      "needs the Intel build. Try Steam › Valheim › Properties › Installed Files › Verify integrity.");
  EXPECT_TRUE(logHas("no x86_64 slice found in " + (game / "valheim.app/Contents/MacOS").string() +
                     ": [\"valheim\"]\n"));
  setAppleSilicon(true, false);
  EXPECT_EQ(launch(), "Rosetta is needed to run Valheim with mods on Apple Silicon. Install it by opening Terminal and "
                      "running:  softwareupdate --install-rosetta --agree-to-license  — then click Play Modded again.");
  EXPECT_TRUE(tools.calls("bash").empty());
  EXPECT_TRUE(messages.empty()) << "the launch message comes only once the checks pass";
}

TEST_F(Launch, ProbesAskTheRightQuestionsAndAToolThatCannotRunAnswersNo) {
  EXPECT_FALSE(Installer::gameRunning());
  EXPECT_TRUE(Installer::steamRunning());
  EXPECT_EQ(tools.calls("pgrep"), (std::vector<Args>{{"-f", "valheim.app/Contents/MacOS"}, {"-x", "steam_osx"}}));
  tools.answer("sysctl", 0, " 1 \n");
  EXPECT_TRUE(Installer::isAppleSilicon());
  tools.answer("sysctl", 0, "10\n");
  EXPECT_FALSE(Installer::isAppleSilicon());
  EXPECT_EQ(tools.calls("sysctl").back(), (Args{"-n", "hw.optional.arm64"}));
  EXPECT_TRUE(Installer::gameHasIntelBuild(game));

  for (const char* tool : {"pgrep", "open", "sysctl", "arch", "file"}) tools.makeMissing(tool);
  EXPECT_FALSE(Installer::steamRunning() || Installer::isAppleSilicon() || Installer::rosettaInstalled() ||
               Installer::gameHasIntelBuild(game));
  EXPECT_EQ(launch(), steamDidNotStart) << "the game counts as not running and Steam as never started";
  EXPECT_EQ(sleeps, polls(90));
}
}  // namespace
