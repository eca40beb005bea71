// After Play Modded: what the loader's log said, in the footer, the report sheet and a banner.
#include <chrono>
#include <fstream>

#include <QQuickWindow>

#include "app/launch_check.hpp"
#include "scenes.hpp"

namespace {
const char* const header =
    "[Message:   BepInEx] BepInEx 5.4.22.0 - valheim (11/11/2024 10:23:24 PM)\n"
    "[Message:   BepInEx] Chainloader ready\n"
    "[Message:   BepInEx] Chainloader started\n";

const char* const cleanLog =
    "[Info   :   BepInEx] 3 plugins to load\n"
    "[Info   :   BepInEx] Loading [PlanBuild 0.18.1]\n"
    "[Info   :   BepInEx] Loading [Jotunn 2.20.0]\n"
    "[Info   :   BepInEx] Loading [ValheimPlus 0.9.9]\n"
    "[Message:   BepInEx] Chainloader startup complete\n";

const char* const brokenLog =
    "[Info   :   BepInEx] 4 plugins to load\n"
    "[Info   :   BepInEx] Loading [PlanBuild 0.18.1]\n"
    "[Info   :   BepInEx] Loading [Jotunn 2.20.0]\n"
    "[Info   :   BepInEx] Loading [ValheimPlus 0.9.9]\n"
    "[Warning:   BepInEx] Plugin [ValheimPlus 0.9.9] targets a wrong version of BepInEx (5.4.19.0) and might "
    "not work until you update\n"
    "[Error  :   BepInEx] Could not load [BetterArchery 1.9.8] because it has missing dependencies: "
    "odin.modsettings\n"
    "[Message:   BepInEx] Chainloader startup complete\n"
    "[Error  : Unity Log] NullReferenceException: Object reference not set to an instance of an object\n"
    "Stack trace:\n"
    "PlanBuild.Blueprints.BlueprintManager.Update () (at <4b1c0a2e>:0)\n"
    "Player.Update () (at <9f7e1d3c>:0)\n";

// The rich profile played, its loader writing `log` (or nothing) into the profile.
std::unique_ptr<World> played(const char* log) {
  auto w = richProfile();
  AppState& app = w->state();
  if (!log) app.launchCheck()->setPatience(std::chrono::milliseconds(0));
  app.play();
  World::waitUntil([&] { return app.activity()->busy().isEmpty(); });
  if (log) {
    std::ofstream(app.selected()->bepinex() / "LogOutput.log", std::ios::binary) << header << log;
    World::waitUntil([&] { return !app.launchCheck()->summary().isEmpty(); });
  } else {
    w->tools().answerFor("pgrep", "-f", 0);
    app.pollGame();
    World::waitUntil([&] { return app.launchCheck()->noLoader(); });
  }
  World::settle();
  return w;
}

std::unique_ptr<World> reportOpen() {
  auto w = played(brokenLog);
  w->state().launchCheck()->setShown(true);
  World::settle();
  // The exception's lines, opened.
  if (QQuickItem* lines = descendant(w->window().contentItem(), "sheet.launch.problem.2"))
    if (QQuickItem* button = descendant(lines, "sheet.launch.lines"))
      QMetaObject::invokeMethod(button, "clicked");
  World::settle();
  return w;
}
}  // namespace

std::vector<Scene> launchScenes() {
  return {
      {"launch-clean", [] { return played(cleanLog); }},
      {"launch-problems", [] { return played(brokenLog); }},
      {"launch-report", reportOpen},
      {"launch-no-loader", [] { return played(nullptr); }},
  };
}
