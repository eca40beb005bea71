// The History sheet after an update broke something, the way back, and a mod held at its version.
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
  app.update(ModItem(modNamed(app, "Jotunn")));
  World::waitUntil([&] { return app.activity()->idle(); });
  app.activity()->setNote({});
  return w;
}

// The sheet open with the snapshot taken before the update chosen.
std::unique_ptr<World> historySheet(std::unique_ptr<World> w) {
  AppState& app = w->state();
  app.window()->setShowHistory(true);
  w->window();
  World::waitUntil([&] { return !app.history()->loading() && app.history()->entries()->rowCount() > 0; });
  const QString newest = app.history()
                             ->entries()
                             ->data(app.history()->entries()->index(0), HistoryListModel::SnapshotIDRole)
                             .toString();
  app.history()->setSelectedID(newest);
  World::waitUntil(
      [&] { return !app.history()->changes().isEmpty() || !app.history()->missing().isEmpty(); });
  World::settle();
  return w;
}

// The version before the update is gone from the catalogue and from the download cache.
std::unique_ptr<World> versionGone() {
  auto w = updated();
  AppState& app = w->state();
  app.clearDownloadCache();
  World::waitUntil([&] { return app.activity()->idle(); });
  app.activity()->setNote({});
  return historySheet(std::move(w));
}

// Jotunn held at 2.20.0 while 2.21.0 is out: a lock where the update pill was.
std::unique_ptr<World> heldMod() {
  auto w = richProfile();
  AppState& app = w->state();
  app.hold(ModItem(modNamed(app, "Jotunn")));
  World::settle();
  return w;
}
}  // namespace

std::vector<Scene> historyScenes() {
  return {
      {"history-list", [] { return historySheet(updated()); }},
      {"history-version-gone", versionGone},
      {"held-mod", heldMod},
  };
}
