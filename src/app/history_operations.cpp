// Snapshots before changes, and going back to one.
#include <algorithm>

#include "app/app_state.hpp"
#include "app/background.hpp"
#include "app/describe.hpp"
#include "app/history_texts.hpp"
#include "foundation/app_error.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "installer/installer.hpp"

bool AppState::snapshotBefore(const Profile& profile, const History::Change& change) {
  try {
    History::snapshot(profile.dir(), change);
  } catch (...) {
    const QString why = describe(std::current_exception());
    Log::write("snapshot failed: " + ss(why));
    activity_->setErrorMessage(why);
    return false;
  }
  return true;
}

QCoro::Task<> AppState::snapshotOnWorker(const Profile& profile, const History::Change& change) {
  return background(this, [dir = profile.dir(), change] { History::snapshot(dir, change); });
}

bool AppState::obtainable(const Profile& profile, const std::string& key, const std::string& version) const {
  const PackageID id = splitPackageID(key);
  if (Installer::archiveCached(id.ns, id.name, version) || Installer::installedFromFile(key, profile))
    return true;
  if (catalogue_->index().empty()) return true;  // not known yet: the sync says what it cannot find
  const TSPackage* pkg = catalogue_->package(id.ns, id.name);
  return pkg && std::find(pkg->versions.begin(), pkg->versions.end(), version) != pkg->versions.end();
}

// The newest snapshot is found when the operation runs, not taken from a listing that may lag.
void AppState::undo() { restore({}); }

void AppState::restore(const QString& snapshotID) {
  const Profile* sel = selected();
  if (!sel) return;
  if (game_->running()) {
    activity_->setErrorMessage(QStringLiteral("Valheim is already running."));
    return;
  }
  activity_->perform(
      QStringLiteral("Restoring…"),
      [this, id = sel->id, snapshotID = ss(snapshotID)] { return restoreWork(id, snapshotID); }, sel->id);
}

namespace {
struct Target {
  History::SnapshotInfo info;
  Profile record;  // what the restore would write
};

// The profile's mod files as the restored record wants them: the mods it no longer has go, and
// those whose enabled state changed move.
void placeFiles(const History::Restored& restored) {
  for (const History::ModChange& change : restored.changes.mods) {
    if (change.removed())
      Installer::removeFiles(change.key(), restored.profile, false);
    else if (change.enabledChanged())
      Installer::setEnabled(change.key(), change.after->enabled, restored.profile);
  }
}
}  // namespace

QCoro::Task<> AppState::restoreWork(std::string id, std::string snapshotID) {
  const Profile* found = current(id);
  if (!found) co_return;
  const std::filesystem::path dir = found->dir();
  auto reading = background(this, [dir, snapshotID] {
    auto info = snapshotID.empty() ? History::newest(dir) : History::find(dir, snapshotID);
    if (!info) throw AppError("That snapshot no longer exists.");
    return Target{*info, History::restoredRecord(dir, info->id)};
  });
  const Target target = co_await reading;
  found = current(id);
  if (!found) co_return;
  // Nothing changes when a version the snapshot wants cannot be had.
  const Profile now = *found;
  const QString missing = HistoryTexts::missingSentence(History::missingVersions(
      target.record,
      [&](const std::string& key, const std::string& version) { return obtainable(now, key, version); }));
  if (!missing.isEmpty()) throw AppError(ss(missing));

  auto restoring = background(
      this, [dir, chosen = target.info.id, change = History::describeRestore(target.info.description)] {
        History::Restored restored = History::restore(dir, chosen, change);
        placeFiles(restored);
        return restored.profile;
      });
  const Profile restored = co_await restoring;
  Log::write("restored profile '" + restored.name + "' to snapshot " + target.info.id);
  writeBack(restored);
  history_->refresh();
  if (qs(id) == selectedID_) config_->refresh();  // the config files may have changed under it

  co_await syncProfile(id);
  activity_->setNote(QStringLiteral("Restored the profile to before “%1”.").arg(qs(target.info.description)));
}
