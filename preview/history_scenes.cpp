// The update review (five updates, what was chosen, the History after), the History sheet after an
// update broke something, the way back, after two undos, and a mod held
// at its version.
#include <QQuickWindow>

#include "app/profile_history.hpp"
#include "app/update_review.hpp"
#include "scenes.hpp"
#include "testkit/changelog_samples.hpp"

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

// Every mod of "Ashlands Raid" has an update, each with a changelog of its own shape; the new
// PlanBuild brings ServerSync. The review sheet is open with the first row's changelog shown.
std::unique_ptr<World> updateReview() {
  auto w = richProfile();
  AppState& app = w->state();
  FakeCatalogue& catalogue = w->catalogue();
  catalogue.setChangelog("Odin", "Jotunn", "2.21.0", std::string(ChangelogSamples::versioned));
  catalogue.setChangelog("Odin", "PlanBuild", "0.18.2",
                         "# PlanBuild\n\n## 0.18.2\n- Blueprints snap to the terrain again.\n- Works with "
                         "ServerSync.\n\n## 0.18.1\n- Fewer stutters while planning.\n");
  catalogue.setChangelog("Odin", "BetterArchery", "1.9.9", std::string(ChangelogSamples::keepAChangelog));
  catalogue.setChangelog("Odin", "ModSettings", "1.2.0", std::string(ChangelogSamples::unversioned));
  catalogue.setChangelog("Odin", "ValheimPlus", "0.9.10", std::nullopt);
  w->publish({"ServerSync", "1.0.0", {}, false, "Keeps settings the same on every client.", 120'000});
  w->publish({"Jotunn", "2.21.0", {}, false, "The Valheim library for mod makers.", 3'200'000});
  w->publish({"PlanBuild",
              "0.18.2",
              {"Odin-Jotunn-2.21.0", "Odin-ServerSync-1.0.0"},
              false,
              "Plan a building, then build it.",
              14'600'000});
  w->publish(
      {"BetterArchery", "1.9.9", {"Odin-ModSettings-1.2.0"}, false, "Quivers and a steadier aim.", 850'000});
  w->publish({"ModSettings", "1.2.0", {}, false, "Shared settings for other mods.", 400'000});
  w->publish({"ValheimPlus", "0.9.10", {}, true, "Many tweaks in one mod.", 29'000'000});
  app.window()->open(WindowState::Sheet::UpdateReview);
  w->window();
  World::waitUntil([&] {
    for (int i = 0; i < app.review()->count(); ++i)
      if (app.review()->index(i).data(UpdateReview::ChangelogLoadingRole).toBool()) return false;
    return true;
  });
  descendant(w->window().contentItem(), QStringLiteral("sheet.updateReview.row.0"))
      ->setProperty("expanded", true);
  World::settle();
  return w;
}

// BetterArchery unticked and ValheimPlus held: the button counts the other three.
std::unique_ptr<World> updateReviewChosen() {
  auto w = updateReview();
  UpdateReview& review = *w->state().review();
  for (int i = 0; i < review.count(); ++i) {
    const QString name = review.index(i).data(UpdateReview::NameRole).toString();
    if (name == QStringLiteral("BetterArchery")) review.setTicked(i, false);
    if (name == QStringLiteral("ValheimPlus")) review.setHeld(i, true);
  }
  World::settle();
  return w;
}

// After confirming those choices: the History sheet names the three updated.
std::unique_ptr<World> updateReviewHistory() {
  auto w = updateReviewChosen();
  AppState& app = w->state();
  app.review()->confirm();
  World::waitUntil([&] { return app.activity()->idle(); });
  app.activity()->setNote({});
  return historySheet(std::move(w));
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
      {"update-review", updateReview},
      {"update-review-chosen", updateReviewChosen},
      {"update-review-history", updateReviewHistory},
  };
}
