#include <chrono>
#include <functional>

#include "foundation/app_error.hpp"
#include "foundation/paths.hpp"
#include "installer/installer.hpp"
#include "installer_fixture.hpp"
#include "support/fake_game.hpp"
#include "support/fake_tools.hpp"

namespace {
using namespace std::chrono_literals;
using Args = std::vector<std::string>;

const std::string alreadyRunning = "Valheim is already running.";
const std::string steamDidNotStart = "Steam didn’t start. Open Steam, sign in, and try again.";
const std::string starting = "Starting Steam and waiting for it to sign in…";
const std::string launching = "Launching Valheim with mods…";

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
  void run() { Installer::launch(game, [this](const std::string& m) { messages.push_back(m); }); }
  std::string failure() {
    try {
      run();
    } catch (const AppError& e) {
      return e.what();
    }
    return "";
  }
  Args scriptCall(const std::string& command) {
    return {"-c", "cd \"$1\" && nohup " + command + " > \"$2\" 2>&1 < /dev/null &", "quernhold", game.string(),
            Paths::gameLog().string()};
  }
  static std::vector<std::chrono::milliseconds> oneSecondPolls(size_t n) {
    return std::vector<std::chrono::milliseconds>(n, 1000ms);
  }
  bool logHas(const std::string& text) { return readFile(Paths::logFile()).find(text) != std::string::npos; }

  FakeTools tools{TestHome::path() / "tools"};
  std::vector<std::chrono::milliseconds> sleeps;
  std::function<void(size_t)> onSleep;
  std::vector<std::string> messages;
};

TEST_F(Launch, WithSteamRunningOnIntelStartsTheScriptDirectly) {
  run();
  EXPECT_EQ(readFile(game / "steam_appid.txt"), "892970\n");
  EXPECT_EQ(tools.calls("bash"), std::vector<Args>{scriptCall("./run_bepinex.sh")});
  EXPECT_TRUE(tools.calls("open").empty());
  EXPECT_TRUE(tools.calls("arch").empty()) << "no Rosetta check on Intel";
  EXPECT_EQ(messages, std::vector<std::string>{launching});
  EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>{2000ms});
  EXPECT_TRUE(logHas("launch via: ./run_bepinex.sh\n"));
  EXPECT_TRUE(logHas("launch: code=0 \n"));
}

TEST_F(Launch, RefusesBeforeTouchingAnything) {
  setGameRunning(true);
  EXPECT_EQ(failure(), alreadyRunning);
  EXPECT_EQ(tools.calls("pgrep").size(), 1u) << "Steam is not probed";

  fs::remove(game / "libdoorstop.dylib");
  EXPECT_EQ(failure(), "The mod loader isn’t installed yet.");
  EXPECT_EQ(tools.calls("pgrep").size(), 1u);

  EXPECT_TRUE(tools.calls("open").empty());
  EXPECT_TRUE(tools.calls("bash").empty());
  EXPECT_FALSE(fs::exists(game / "steam_appid.txt"));
}

TEST_F(Launch, StartsSteamAndWaitsForTheSignIn) {
  setSteamRunning(false);
  FakeGame::writeSteamRegistry("0");
  onSleep = [this](size_t n) {
    if (n == 5) setSteamRunning(true);
    if (n == 8) FakeGame::writeSteamRegistry("12345678");
  };
  run();
  EXPECT_EQ(tools.calls("open"), (std::vector<Args>{Args{"-a", "Steam"}}));
  auto expected = oneSecondPolls(8);
  expected.insert(expected.end(), {3000ms, 2000ms});
  EXPECT_EQ(sleeps, expected);
  EXPECT_EQ(messages, (std::vector<std::string>{starting, launching}));
  EXPECT_EQ(tools.calls("bash").size(), 1u);
}

TEST_F(Launch, ASteamThatNeverSignsInIsLetThroughAfterTheWait) {
  setSteamRunning(false);
  FakeGame::writeSteamRegistry("0");
  onSleep = [this](size_t n) {
    if (n == 1) setSteamRunning(true);
  };
  run();
  auto expected = oneSecondPolls(90);
  expected.push_back(2000ms);
  EXPECT_EQ(sleeps, expected);
  EXPECT_EQ(readFile(game / "steam_appid.txt"), "892970\n");
}

TEST_F(Launch, ASteamThatNeverStartsFailsAfterNinetyPolls) {
  setSteamRunning(false);
  FakeGame::writeSteamRegistry("76561198000000000");  // a stale user does not count without Steam
  EXPECT_EQ(failure(), steamDidNotStart);
  EXPECT_EQ(sleeps, oneSecondPolls(90));
  EXPECT_FALSE(fs::exists(game / "steam_appid.txt"));
  EXPECT_TRUE(tools.calls("bash").empty());
}

TEST_F(Launch, OnAppleSiliconRunsTheScriptUnderRosetta) {
  setAppleSilicon(true, true);
  run();
  EXPECT_EQ(tools.calls("arch"), (std::vector<Args>{Args{"-x86_64", "/usr/bin/true"}}));
  EXPECT_EQ(tools.calls("bash"), std::vector<Args>{scriptCall("arch -x86_64 /bin/bash ./run_bepinex.sh")});
  EXPECT_TRUE(logHas("launch via: arch -x86_64 /bin/bash ./run_bepinex.sh\n"));
}

TEST_F(Launch, OnAppleSiliconNeedsTheIntelBuildAndRosetta) {
  setAppleSilicon(false, true);
  EXPECT_EQ(failure(),
            "This copy of Valheim only contains an Apple Silicon build, but the Mac mod loader (BepInEx) needs the "
            "Intel build. Try Steam › Valheim › Properties › Installed Files › Verify integrity.");
  EXPECT_TRUE(logHas("no x86_64 slice found in " + (game / "valheim.app/Contents/MacOS").string() +
                     ": [\"valheim\"]\n"));

  setAppleSilicon(true, false);
  EXPECT_EQ(failure(),
            "Rosetta is needed to run Valheim with mods on Apple Silicon. Install it by opening Terminal and "
            "running:  softwareupdate --install-rosetta --agree-to-license  — then click Play Modded again.");
  EXPECT_TRUE(tools.calls("bash").empty());
  EXPECT_TRUE(messages.empty()) << "the launch message comes only once the checks pass";
}

TEST_F(Launch, ToolsThatCannotRunAnswerNo) {
  for (const char* tool : {"pgrep", "open", "sysctl", "arch", "file"}) tools.makeMissing(tool);
  EXPECT_FALSE(Installer::gameRunning());
  EXPECT_FALSE(Installer::steamRunning());
  EXPECT_FALSE(Installer::isAppleSilicon());
  EXPECT_FALSE(Installer::rosettaInstalled());
  EXPECT_FALSE(Installer::gameHasIntelBuild(game));
  // The game counts as not running and Steam as never started.
  EXPECT_EQ(failure(), steamDidNotStart);
  EXPECT_EQ(sleeps, oneSecondPolls(90));
}

TEST_F(Launch, ProbesAskTheSystemToolsTheRightQuestions) {
  EXPECT_FALSE(Installer::gameRunning());
  EXPECT_TRUE(Installer::steamRunning());
  EXPECT_EQ(tools.calls("pgrep"), (std::vector<Args>{{"-f", "valheim.app/Contents/MacOS"}, {"-x", "steam_osx"}}));
  tools.answer("sysctl", 0, " 1 \n");
  EXPECT_TRUE(Installer::isAppleSilicon());
  tools.answer("sysctl", 0, "10\n");
  EXPECT_FALSE(Installer::isAppleSilicon());
  EXPECT_EQ(tools.calls("sysctl").back(), (Args{"-n", "hw.optional.arm64"}));
  EXPECT_TRUE(Installer::gameHasIntelBuild(game));
}
}  // namespace
