// The History sheet after an update broke something, the way back, after two undos, and a mod held
// at its version.
#include <QQuickWindow>

#include "app/profile_history.hpp"
#include "scenes.hpp"

namespace {
const ProfileMod& modNamed(AppState& app, const std::string& name) {
  for (const ProfileMod& m : app.selected()->mods)
    if (m.name == name) return m;
  qFatal("no mod named %s", name.c_str());
}

// "Ashlands Raid" with Jotunn updated to 2.21.0: its history holds the adds, turning off
// BetterArchery and the update, newest first.
std::unique_ptr<World> updated() {
  auto w = richProfile();
  AppState& app = w->state();
  app.modController()->update(ModItem(modNamed(app, "Jotunn")));
  World::waitUntil([&] { return app.activity()->idle(); });
  app.activity()->setNote({});
  return w;
}

// The sheet open with the newest snapshot chosen (the first row is the profile now).
std::unique_ptr<World> historySheet(std::unique_ptr<World> w, int row = 1) {
  AppState& app = w->state();
  app.window()->open(WindowState::Sheet::History);
  w->window();
  World::waitUntil([&] { return !app.history()->loading() && app.history()->entries()->rowCount() > row; });
  QObject* list = w->window().findChild<QObject*>(QStringLiteral("sheet.history.list"));
  list->setProperty("currentIndex", row);
  QMetaObject::invokeMethod(list, "forceActiveFocus");  // as after Tab: the chosen row is outlined
  World::waitUntil(
      [&] { return !app.history()->changes().isEmpty() || !app.history()->missing().isEmpty(); });
  World::settle();
  return w;
}

// The version before the update is gone from the catalogue and from the download cache.
std::unique_ptr<World> versionGone() {
  auto w = updated();
  AppState& app = w->state();
  app.modController()->clearDownloadCache();
  World::waitUntil([&] { return app.activity()->idle(); });
  app.activity()->setNote({});
  return historySheet(std::move(w));
}

// PlanBuild turned off and ValheimPlus removed, then both undone: the states they led to are kept
// for Redo, and the row of the state the profile is in now is marked.
std::unique_ptr<World> undone() {
  auto w = richProfile();
  AppState& app = w->state();
  auto idle = [&] { World::waitUntil([&] { return app.activity()->idle(); }); };
  app.modController()->setEnabled(ModItem(modNamed(app, "PlanBuild")), false);
  idle();
  app.modController()->remove(ModItem(modNamed(app, "ValheimPlus")));
  idle();
  app.modController()->undo();
  idle();
  app.modController()->undo();
  idle();
  app.activity()->setNote({});
  return historySheet(std::move(w), 0);
}

// Return on the chosen row asks before the restore.
std::unique_ptr<World> confirmRestore() {
  auto w = historySheet(updated());
  w->window().findChild<QObject*>(QStringLiteral("sheet.history"))->setProperty("confirming", true);
  World::settle();
  return w;
}

// Jotunn held at 2.20.0 while 2.21.0 is out: a lock where the update pill was.
std::unique_ptr<World> heldMod() {
  auto w = richProfile();
  AppState& app = w->state();
  app.modController()->hold(ModItem(modNamed(app, "Jotunn")));
  World::settle();
  return w;
}

// The held mod's own sheet says so, and offers to let the update through.
std::unique_ptr<World> heldSheet() {
  auto w = heldMod();
  AppState& app = w->state();
  app.window()->open(WindowState::Sheet::Package,
                     QVariant::fromValue(PackageItem(*app.catalogue()->package("Odin", "Jotunn"))));
  World::settle();
  return w;
}
}  // namespace

std::vector<Scene> historyScenes() {
  return {
      {"history-list", [] { return historySheet(updated()); }},
      {"history-version-gone", versionGone},
      {"history-undone", undone},
      {"history-confirm", confirmRestore},
      {"held-mod", heldMod},
      {"held-sheet", heldSheet},
  };
}
