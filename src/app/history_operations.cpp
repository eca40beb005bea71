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

bool AppState::obtainable(const Profile& profile, const std::string& key, const std::string& version) const {
  const PackageID id = splitPackageID(key);
  if (Installer::archiveCached(id.ns, id.name, version) || Installer::installedFromFile(key, profile))
    return true;
  if (catalogue_->index().empty()) return true;  // not known yet: the sync says what it cannot find
  const TSPackage* pkg = catalogue_->package(id.ns, id.name);
  return pkg && std::find(pkg->versions.begin(), pkg->versions.end(), version) != pkg->versions.end();
}

void AppState::restore(const QString& snapshotID) { go(Going::toSnapshot, snapshotID); }
void AppState::undo() { go(Going::back, {}); }
void AppState::redo() { go(Going::forward, {}); }

void AppState::go(Going going, const QString& snapshotID) {
  const Profile* sel = selected();
  if (!sel) return;
  if (game_->running()) {
    activity_->setErrorMessage(QStringLiteral("Valheim is already running."));
    return;
  }
  const QString label = going == Going::back      ? QStringLiteral("Undoing…")
                        : going == Going::forward ? QStringLiteral("Redoing…")
                                                  : QStringLiteral("Restoring…");
  performChange(sel->id, label, std::nullopt, [this, id = sel->id, going, snapshotID = ss(snapshotID)] {
    return restoreWork(id, going, snapshotID);
  });
}

namespace {
struct Target {
  std::string id;
  QString note;  // what the footer says once the profile is back
  std::string stateText;  // the snapshot's row, for a restore's own snapshot
  Profile record;  // what the restore would write
};

// The snapshot the step brings back, found when it runs rather than taken from a listing that may lag.
Target targetOf(const std::filesystem::path& dir, AppState::Going going, const std::string& snapshotID) {
  Target target;
  if (going == AppState::Going::toSnapshot) {
    const auto info = History::find(dir, snapshotID);
    if (!info) throw AppError("That snapshot no longer exists.");
    target.id = info->id;
    target.stateText = ss(HistoryTexts::stateText(*info));
    target.note = HistoryTexts::restoredNote(*info);
  } else {
    const History::Steps steps = History::steps(dir);
    const auto& step = going == AppState::Going::back ? steps.undo : steps.redo;
    if (!step)
      throw AppError(going == AppState::Going::back ? "There’s nothing to undo."
                                                    : "There’s nothing to redo.");
    target.id = step->target;
    target.note = HistoryTexts::stepNote(going == AppState::Going::back, *step);
  }
  target.record = History::restoredRecord(dir, target.id);
  return target;
}

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

QCoro::Task<> AppState::restoreWork(std::string id, Going going, std::string snapshotID) {
  const Profile* found = current(id);
  if (!found) co_return;
  const std::filesystem::path dir = found->dir();
  auto reading = background(this, [dir, going, snapshotID] { return targetOf(dir, going, snapshotID); });
  const Target target = co_await reading;
  found = current(id);
  if (!found) co_return;
  // Nothing changes when a version the snapshot wants cannot be had.
  const Profile now = *found;
  const QString missing = HistoryTexts::missingSentence(History::missingVersions(
      target.record,
      [&](const std::string& key, const std::string& version) { return obtainable(now, key, version); }));
  if (!missing.isEmpty()) throw AppError(ss(missing));

  auto restoring = background(this, [dir, going, target] {
    const History::Restored restored =
        going == Going::back ? History::undo(dir)
        : going == Going::forward
            ? History::redo(dir)
            : History::restore(dir, target.id, History::describeRestore(target.stateText));
    placeFiles(restored);
    return restored.profile;
  });
  const Profile restored = co_await restoring;
  Log::write("restored profile '" + restored.name + "' to snapshot " + target.id);
  writeBack(restored);
  if (qs(id) == selectedID_) config_->refresh();  // the config files may have changed under it

  co_await syncProfile(id);
  activity_->setNote(target.note);
}
