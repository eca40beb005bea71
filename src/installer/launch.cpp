// Starting the game modded: checks, Steam and its sign-in, then the loader's run script, detached.

#include <regex>
#include <thread>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "foundation/swappable.hpp"
#include "foundation/words.hpp"
#include "installer/installer.hpp"
#include "installer/internal.hpp"
#include "installer/system_tools.hpp"

namespace Installer {
namespace {
using namespace std::chrono_literals;

constexpr int signInPolls = 90;
// Seconds a quitting game may take to save and go.
constexpr int quitPolls = 30;

Swappable<Sleeper>& sleeperSlot() {
  static Swappable<Sleeper> sleeper{Sleeper{}};
  return sleeper;
}

void pause(std::chrono::milliseconds duration) {
  if (const Sleeper& sleeper = sleeperSlot().get())
    sleeper(duration);
  else
    std::this_thread::sleep_for(duration);
}

// Steam records the signed-in account in its registry file; 0 means nobody is signed in.
bool steamSignedIn() {
  static const std::regex activeUser(R"("ActiveUser"\s+"[1-9][0-9]*")");
  auto registry = detail::readUTF8(Paths::steamDir() / "registry.vdf");
  return registry && std::regex_search(*registry, activeUser);
}

void waitForSignIn() {
  for (int poll = 0; poll < signInPolls; ++poll) {
    if (steamRunning() && steamSignedIn()) {
      pause(3s);  // let the client settle before the game asks it for the user
      return;
    }
    pause(1s);
  }
}
}  // namespace

void setSleeper(Sleeper sleeper) { sleeperSlot().set(std::move(sleeper)); }

void quitGame() {
  if (!gameRunning()) return;
  Log::write("quitting the game");
  detail::tryRun(systemTools().pkill, {"-f", std::string(detail::gameProcess)});
  for (int poll = 0; poll < quitPolls && gameRunning(); ++poll) pause(1s);
  if (gameRunning())
    throw AppError(
        Words::translate("Installer", "Valheim didn’t quit. Quit it yourself, then click Play Modded."));
}

void launch(const path& gameDir, const LaunchProgress& progress) {
  auto tell = [&](const std::string& text) {
    if (progress) progress(text);
  };
  if (!loaderInstalled(gameDir))
    throw AppError(Words::translate("Installer", "The mod loader isn’t installed yet."));
  if (gameRunning()) throw AppError(Words::translate("Installer", "Valheim is already running."));

  if (!steamRunning()) {
    tell("Starting Steam and waiting for it to sign in…");
    detail::tryRun(systemTools().open, {"-a", "Steam"});
    waitForSignIn();
    // A Steam that runs but never signed in is let through; the game itself will ask.
    if (!steamRunning())
      throw AppError(
          Words::translate("Installer", "Steam didn’t start. Open Steam, sign in, and try again."));
  }

  FS::writeAtomic(gameDir / "steam_appid.txt", std::string(steamAppID) + "\n");

  std::string command = "./run_bepinex.sh";
  if (isAppleSilicon()) {
    if (!gameHasIntelBuild(gameDir))
      throw AppError(Words::translate(
          "Installer",
          "This copy of Valheim only contains an Apple Silicon build, but the Mac mod loader (BepInEx) "
          "needs the Intel build. Try Steam › Valheim › Properties › Installed Files › Verify integrity."));
    if (!rosettaInstalled())
      throw AppError(Words::translate(
          "Installer",
          "Rosetta is needed to run Valheim with mods on Apple Silicon. Install it by opening Terminal "
          "and running:  softwareupdate --install-rosetta --agree-to-license  — then click Play Modded "
          "again."));
    command = "arch -x86_64 /bin/bash ./run_bepinex.sh";
  }

  tell("Launching Valheim with mods…");
  Log::write("launch via: " + command);
  // $1 is the game folder, $2 the game log; the game runs on detached once the shell returns.
  const std::string script = "cd \"$1\" && nohup " + command + " > \"$2\" 2>&1 < /dev/null &";
  const Shell::Result result = Shell::run(
      systemTools().bash, {"-c", script, "quernhold", gameDir.string(), Paths::gameLog().string()});
  Log::write("launch: code=" + std::to_string(result.code) + " " + result.output);
  pause(2s);
}
}  // namespace Installer
