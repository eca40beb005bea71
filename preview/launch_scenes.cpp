// After Play Modded: what the loader's log said, in the footer, the report sheet and a banner.
#include <chrono>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include <QQuickWindow>

#include "app/launch_check.hpp"
#include "foundation/paths.hpp"
#include "profiles/good_launch.hpp"
#include "scenes.hpp"
#include "testkit/fake_game.hpp"

namespace {
const std::string header =
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

// ValheimPlus is old, built for an older loader, and throws while it starts; an older copy of
// Jotunn is skipped; Jotunn, which has an update, fails to register a piece; PlanBuild warns.
const char* const brokenStart =
    "[Info   :   BepInEx] 5 plugins to load\n"
    "[Warning:   BepInEx] Skipping [Jotunn 2.18.0] because a newer version exists (Jotunn 2.20.0)\n"
    "[Info   :   BepInEx] Loading [Jotunn 2.20.0]\n"
    "[Info   :   BepInEx] Loading [Mod Settings 1.1.4]\n"
    "[Info   :   BepInEx] Loading [PlanBuild 0.18.1]\n"
    "[Warning:PlanBuild] Missing translation for key $piece_blueprint\n"
    "[Info   :   BepInEx] Loading [ValheimPlus 0.9.9]\n"
    "[Warning:   BepInEx] Plugin [ValheimPlus 0.9.9] targets a wrong version of BepInEx (5.4.19.0) and might "
    "not work until you update\n"
    "[Error  : Unity Log] FileNotFoundException: Could not find file \"valheim_plus.cfg\"\n"
    "Stack trace:\n"
    "ValheimPlus.Configurations.ConfigurationExtra:LoadSettings ()\n"
    "ValheimPlus.ValheimPlusPlugin:Awake ()\n"
    "[Message:   BepInEx] Chainloader startup complete\n"
    "[Warning:PlanBuild] Missing translation for key $piece_blueprint\n"
    "[Warning:Mod Settings] 42\n"
    "[Error  : Unity Log] ArgumentException: An item with the same key has already been added. Key: "
    "piece_blueprint\n"
    "Stack trace:\n"
    "System.Collections.Generic.Dictionary`2[TKey,TValue].Add (TKey key, TValue value) (at <8b3c1f2e>:0)\n"
    "Jotunn.Managers.PieceManager.RegisterInPieceTables () (at <2d7e9a41>:0)\n"
    "ZNetScene.Awake () (at <9f7e1d3c>:0)\n"
    "[Warning:  HarmonyX] UnpatchAll has been called - This will remove ALL HARMONY PATCHES.\n";

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

// The rich profile played, its loader writing `log` (or nothing) into the profile; `before` runs
// first.
std::unique_ptr<World> played(std::optional<std::string> log,
                              const std::function<void(World&)>& before = {}) {
  auto w = richProfile();
  AppState& app = w->state();
  if (before) before(*w);
  if (!log) app.launchCheck()->setPatience(std::chrono::milliseconds(0));
  app.launcher()->play();
  World::waitUntil([&] { return app.activity()->busy().isEmpty(); });
  if (log) {
    std::ofstream(app.selected()->bepinex() / "LogOutput.log", std::ios::binary) << *log;
    World::waitUntil([&] { return app.launchCheck()->hasReport(); });
  } else {
    w->tools().answerFor("pgrep", "-f", 0);
    app.game()->poll();
    World::waitUntil([&] { return app.launchCheck()->noLoader(); });
  }
  World::settle();
  return w;
}

// A button of the report's problem row `row`, clicked.
void clickIn(World& w, const char* row, const char* button) {
  if (QQuickItem* problem = descendant(w.window().contentItem(), row))
    if (QQuickItem* found = descendant(problem, button)) QMetaObject::invokeMethod(found, "clicked");
  World::settle();
}

std::unique_ptr<World> reportOpen(std::unique_ptr<World> w) {
  w->state().window()->open(WindowState::Sheet::LaunchReport);
  World::settle();
  return w;
}

// Jotunn's exception, its lines opened.
std::unique_ptr<World> reportWithLines() {
  auto w = reportOpen(played(header + brokenLog()));
  clickIn(*w, "sheet.launch.problem.1", "sheet.launch.lines");
  return w;
}

// Jotunn held, so its fix is to turn it off: PlanBuild needs it, and the report asks.
std::unique_ptr<World> reportAsking() {
  auto w = reportOpen(played(header + brokenLog(), [](World& world) {
    AppState& app = world.state();
    app.modController()->hold(ModItem(*app.selected()->find("Odin-Jotunn")));
    World::waitUntil([&] { return app.activity()->busy().isEmpty(); });
  }));
  clickIn(*w, "sheet.launch.problem.1", "sheet.launch.action");
  return w;
}

// ValheimPlus turned off from the report, and the warnings opened.
std::unique_ptr<World> reportFixed() {
  auto w = reportOpen(played(header + brokenLog()));
  clickIn(*w, "sheet.launch.problem.2", "sheet.launch.action");
  if (QQuickItem* warnings = descendant(w->window().contentItem(), "sheet.launch.warnings"))
    QMetaObject::invokeMethod(warnings, "clicked");
  World::settle();
  if (QQuickItem* list = descendant(w->window().contentItem(), "sheet.launch.problems"))
    QMetaObject::invokeMethod(list, "positionViewAtEnd");
  World::settle();
  return w;
}

// Jotunn updated since the last launch that worked: its problem says so and offers the way back.
std::unique_ptr<World> reportUpdatedSince() {
  return reportOpen(played(header + brokenLog(), [](World& world) {
    AppState& app = world.state();
    ProfileStore::saveGoodLaunch(*app.selected(), goodLaunchOf(*app.selected(), 14862538, ::now()));
    app.modController()->update(ModItem(*app.selected()->find("Odin-Jotunn")));
    World::waitUntil([&] { return app.activity()->busy().isEmpty(); });
  }));
}

// The game was updated after the profile last started: Play Modded warns first, and the rows of
// mods with nothing newer than that update say so. Jotunn's 2.21.0 came after it.
std::unique_ptr<World> gamePatched() {
  auto w = richProfile();
  AppState& app = w->state();
  w->publish({.name = "Jotunn",
              .version = "2.21.0",
              .description = "The Valheim library for mod makers.",
              .updated = "2024-03-12T10:00:00.000000Z"});
  ProfileStore::saveGoodLaunch(*app.selected(), goodLaunchOf(*app.selected(), 14862538, ::now()));
  FakeGame::writeAppManifest(Paths::defaultGameDir(), "15000000", "1709983200");  // 9 March 2024
  app.launcher()->play();
  World::waitUntil([&] { return app.activity()->busy().isEmpty(); });
  World::settle();
  return w;
}
}  // namespace

std::vector<Scene> launchScenes() {
  return {
      {"launch-clean", [] { return played(header + std::string(cleanLog)); }},
      {"launch-problems", [] { return played(header + brokenLog()); }},
      {"launch-report", reportWithLines},
      {"launch-report-asking", reportAsking},
      {"launch-report-fixed", reportFixed},
      {"launch-not-a-log", [] { return reportOpen(played("{\"profile\": \"Ashlands Raid\"}\n")); }},
      {"launch-no-loader", [] { return played(std::nullopt); }},
      {"game-patched", gamePatched},
      {"launch-report-updated-since", reportUpdatedSince},
  };
}
