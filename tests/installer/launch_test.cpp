#include "foundation/app_error.hpp"
#include "installer/installer.hpp"
#include "installer_fixture.hpp"
#include "testkit/fake_game.hpp"
#include "testkit/fake_tools.hpp"

namespace {
using namespace std::chrono_literals;
using Args = std::vector<std::string>;
using Sleeps = std::vector<std::chrono::milliseconds>;

// One way a launch goes. Steam's registry names `activeUser` until it signs in at poll `signInAt`;
// a Steam not running comes up at poll `steamUpAt` (0: never).
struct LaunchPath {
  std::string name;
  bool loader = true, steamRunning = true, appleSilicon = false, intelBuild = true, rosetta = true;
  std::string activeUser = "12345678";
  std::string error, command;  // the failure's message, or what the run script is started with
  size_t steamUpAt = 0, signInAt = 0, polls = 0;  // `polls` one-second waits come before `sleeps`
  Sleeps sleeps;
  Args messages;
};

void PrintTo(const LaunchPath& p, std::ostream* os) { *os << p.name; }

class Launch : public InstallerTest, public testing::WithParamInterface<LaunchPath> {
 protected:
  void TearDown() override { Installer::setSleeper({}); }
  FakeTools tools{TestHome::path() / "tools"};
};

TEST_P(Launch, Paths) {
  const LaunchPath& p = GetParam();
  FakeGame::make(game, p.intelBuild ? FakeGame::universalBinary : FakeGame::armOnlyBinary);
  if (p.loader) FakeGame::addLoader(game);
  FakeGame::writeSteamRegistry(p.activeUser);
  auto setSteamRunning = [&](bool running) { tools.answerFor("pgrep", "-x", running ? 0 : 1); };
  setSteamRunning(p.steamRunning);
  tools.answerFor("pgrep", "-f", 1);  // the game is not running
  tools.answer("sysctl", 0, p.appleSilicon ? "1\n" : "0\n");
  tools.answer("arch", p.rosetta ? 0 : 1);
  Sleeps sleeps;
  Installer::setSleeper([&](std::chrono::milliseconds d) {
    sleeps.push_back(d);
    if (sleeps.size() == p.steamUpAt) setSteamRunning(true);
    if (sleeps.size() == p.signInAt) FakeGame::writeSteamRegistry("12345678");
  });
  Args messages;
  std::string error;
  try {
    Installer::launch(game, [&](const std::string& m) { messages.push_back(m); });
  } catch (const AppError& e) {
    error = e.what();
  }
  EXPECT_EQ(error, p.error);
  Sleeps expected(p.polls, 1000ms);
  expected.insert(expected.end(), p.sleeps.begin(), p.sleeps.end());
  EXPECT_EQ(sleeps, expected);
  EXPECT_EQ(messages, p.messages);
  const Args run = {"-c", "cd \"$1\" && nohup " + p.command + " > \"$2\" 2>&1 < /dev/null &", "quernhold",
                    game.string(), Paths::gameLog().string()};
  EXPECT_EQ(tools.calls("bash"), p.command.empty() ? std::vector<Args>{} : std::vector<Args>{run});
}

const std::string starting = "Starting Steam and waiting for it to sign in…",
                  launching = "Launching Valheim with mods…";
INSTANTIATE_TEST_SUITE_P(
    Launch, Launch,
    testing::Values(
        LaunchPath{.name = "LoaderMissing", .loader = false, .error = "The mod loader isn’t installed yet."},
        LaunchPath{.name = "SteamRunning",
                   .command = "./run_bepinex.sh",
                   .sleeps = {2000ms},
                   .messages = {launching}},
        LaunchPath{.name = "SteamStartingAndSigningIn",
                   .steamRunning = false,
                   .activeUser = "0",
                   .command = "./run_bepinex.sh",
                   .steamUpAt = 5,
                   .signInAt = 8,
                   .polls = 8,
                   .sleeps = {3000ms, 2000ms},
                   .messages = {starting, launching}},
        LaunchPath{.name = "SteamNeverSigningIn",
                   .steamRunning = false,
                   .activeUser = "0",
                   .command = "./run_bepinex.sh",
                   .steamUpAt = 1,
                   .polls = 90,
                   .sleeps = {2000ms},
                   .messages = {starting, launching}},
        // A user left in the registry does not count while Steam is not running.
        LaunchPath{.name = "SteamNeverStarting",
                   .steamRunning = false,
                   .activeUser = "76561198000000000",
                   .error = "Steam didn’t start. Open Steam, sign in, and try again.",
                   .polls = 90,
                   .messages = {starting}},
        LaunchPath{.name = "AppleSiliconUnderRosetta",
                   .appleSilicon = true,
                   .command = "arch -x86_64 /bin/bash ./run_bepinex.sh",
                   .sleeps = {2000ms},
                   .messages = {launching}},
        LaunchPath{
            .name = "AppleSiliconWithoutIntelBuild",
            .appleSilicon = true,
            .intelBuild = false,
            .error = "This copy of Valheim only contains an Apple Silicon build, but the Mac mod loader "
                     "(BepInEx) needs the Intel build. Try Steam › Valheim › Properties › Installed Files › "
                     "Verify integrity."},
        LaunchPath{
            .name = "AppleSiliconWithoutRosetta",
            .appleSilicon = true,
            .rosetta = false,
            .error = "Rosetta is needed to run Valheim with mods on Apple Silicon. Install it by opening "
                     "Terminal and running:  softwareupdate --install-rosetta --agree-to-license  — then "
                     "click Play Modded again."}),
    [](const auto& instance) { return instance.param.name; });
}  // namespace
