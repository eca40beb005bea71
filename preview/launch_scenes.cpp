// After Play Modded: what the loader's log said, in the footer, the report sheet and a banner.
#include <chrono>
#include <fstream>
#include <optional>
#include <string>

#include <QQuickWindow>

#include "app/launch_check.hpp"
#include "scenes.hpp"

namespace {
const char* const header =
    "[Message:   BepInEx] BepInEx 5.4.22.0 - valheim (11/11/2024 10:23:24 PM)\n"
    "[Message:   BepInEx] Chainloader ready\n"
    "[Message:   BepInEx] Chainloader started\n";

// The loader sees what is on in the profile: PlanBuild, ValheimPlus and the two dependencies.
const char* const cleanLog =
    "[Info   :   BepInEx] 4 plugins to load\n"
    "[Info   :   BepInEx] Loading [Jotunn 2.20.0]\n"
    "[Info   :   BepInEx] Loading [Mod Settings 1.1.4]\n"
    "[Info   :   BepInEx] Loading [PlanBuild 0.18.1]\n"
    "[Info   :   BepInEx] Loading [ValheimPlus 0.9.9]\n"
    "[Message:   BepInEx] Chainloader startup complete\n";

// ValheimPlus is old and built for an older loader; Jotunn, which has an update, fails to register
// a piece.
const char* const brokenStart =
    "[Info   :   BepInEx] 4 plugins to load\n"
    "[Info   :   BepInEx] Loading [Jotunn 2.20.0]\n"
    "[Info   :   BepInEx] Loading [Mod Settings 1.1.4]\n"
    "[Info   :   BepInEx] Loading [PlanBuild 0.18.1]\n"
    "[Info   :   BepInEx] Loading [ValheimPlus 0.9.9]\n"
    "[Warning:   BepInEx] Plugin [ValheimPlus 0.9.9] targets a wrong version of BepInEx (5.4.19.0) and might "
    "not work until you update\n"
    "[Message:   BepInEx] Chainloader startup complete\n"
    "[Error  : Unity Log] ArgumentException: An item with the same key has already been added. Key: "
    "piece_blueprint\n"
    "Stack trace:\n"
    "System.Collections.Generic.Dictionary`2[TKey,TValue].Add (TKey key, TValue value) (at <8b3c1f2e>:0)\n"
    "Jotunn.Managers.PieceManager.RegisterInPieceTables () (at <2d7e9a41>:0)\n"
    "ZNetScene.Awake () (at <9f7e1d3c>:0)\n";

// The troubled start, then PlanBuild throws the same exception every frame.
std::string brokenLog() {
  std::string log = brokenStart;
  for (int frame = 0; frame < 38; ++frame)
    log +=
        "[Error  : Unity Log] NullReferenceException: Object reference not set to an instance of an object\n"
        "Stack trace:\n"
        "PlanBuild.Blueprints.BlueprintManager.Update () (at <4b1c0a2e>:0)\n"
        "Player.Update () (at <9f7e1d3c>:0)\n";
  return log;
}

// The rich profile played, its loader writing `log` (or nothing) into the profile.
std::unique_ptr<World> played(std::optional<std::string> log) {
  auto w = richProfile();
  AppState& app = w->state();
  if (!log) app.launchCheck()->setPatience(std::chrono::milliseconds(0));
  app.play();
  World::waitUntil([&] { return app.activity()->busy().isEmpty(); });
  if (log) {
    std::ofstream(app.selected()->bepinex() / "LogOutput.log", std::ios::binary) << header << *log;
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
  auto w = played(brokenLog());
  w->state().launchCheck()->setShown(true);
  World::settle();
  // Jotunn's exception, its lines opened.
  if (QQuickItem* lines = descendant(w->window().contentItem(), "sheet.launch.problem.1"))
    if (QQuickItem* button = descendant(lines, "sheet.launch.lines"))
      QMetaObject::invokeMethod(button, "clicked");
  World::settle();
  return w;
}
}  // namespace

std::vector<Scene> launchScenes() {
  return {
      {"launch-clean", [] { return played(cleanLog); }},
      {"launch-problems", [] { return played(brokenLog()); }},
      {"launch-report", reportOpen},
      {"launch-no-loader", [] { return played(std::nullopt); }},
  };
}
