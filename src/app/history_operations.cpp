// Stepping through a profile’s history: restoring a snapshot, Undo and Redo.
#include "app/mod_controller.hpp"

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/game_state.hpp"
#include "app/history_texts.hpp"
#include "app/mod_statuses.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "app/profile_sync.hpp"
#include "foundation/app_error.hpp"
#include "foundation/log.hpp"
#include "installer/installer.hpp"

void ModController::restore(const QString& snapshotID) { go(Going::toSnapshot, snapshotID); }
void ModController::undo() { go(Going::back, {}); }
void ModController::redo() { go(Going::forward, {}); }

void ModController::go(Going going, const QString& snapshotID) {
  const Profile* sel = parts_.book->selected();
  if (!sel) return;
  if (parts_.game->running()) {
    parts_.activity->setErrorMessage(tr("Valheim is already running."));
    return;
  }
  const QString label = going == Going::back      ? tr("Undoing…")
                        : going == Going::forward ? tr("Redoing…")
                                                  : tr("Restoring…");
  parts_.changes->perform(sel->id, label, std::nullopt,
                          [this, id = sel->id, going, snapshotID = ss(snapshotID)] {
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
Target targetOf(const std::filesystem::path& dir, ModController::Going going, const std::string& snapshotID) {
  Target target;
  if (going == ModController::Going::toSnapshot) {
    const auto info = History::find(dir, snapshotID);
    if (!info) throw AppError(ModController::tr("That snapshot no longer exists.").toStdString());
    target.id = info->id;
    target.stateText = ss(HistoryTexts::stateText(*info));
    target.note = HistoryTexts::restoredNote(*info);
  } else {
    const History::Steps steps = History::steps(dir);
    const auto& step = going == ModController::Going::back ? steps.undo : steps.redo;
    if (!step)
      throw AppError((going == ModController::Going::back ? ModController::tr("There’s nothing to undo.")
                                                          : ModController::tr("There’s nothing to redo."))
                         .toStdString());
    target.id = step->target;
    target.note = HistoryTexts::stepNote(going == ModController::Going::back, *step);
  }
  target.record = History::restoredRecord(dir, target.id);
  return target;
}

// The profile's mod files as the restored record wants them: the mods it no longer has go, and
// those whose enabled state changed move. A mod whose files cannot move keeps its state, and the
// record says so.
Profile placeFiles(const History::Restored& restored) {
  Profile placed = restored.profile;
  for (const History::ModChange& change : restored.changes.mods) {
    if (change.removed()) {
      Installer::removeFiles(change.key(), restored.profile, false);
    } else if (change.enabledChanged()) {
      try {
        Installer::setEnabled(change.key(), change.after->enabled, restored.profile);
      } catch (const std::exception& e) {
        Log::write("couldn't turn " + change.key() + (change.after->enabled ? " on: " : " off: ") + e.what());
        if (ProfileMod* mod = placed.find(change.key())) mod->enabled = !change.after->enabled;
      }
    }
  }
  return placed;
}
}  // namespace

QCoro::Task<> ModController::restoreWork(std::string id, Going going, std::string snapshotID) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;
  const std::filesystem::path dir = found->dir();
  auto reading = background(this, [dir, going, snapshotID] { return targetOf(dir, going, snapshotID); });
  const Target target = co_await reading;
  found = parts_.book->find(id);
  if (!found) co_return;
  // Nothing changes when a version the snapshot wants cannot be had.
  const Profile now = *found;
  const QString missing = HistoryTexts::missingSentence(
      History::missingVersions(target.record, [&](const std::string& key, const std::string& version) {
        return parts_.statuses->obtainable(now, key, version);
      }));
  if (!missing.isEmpty()) throw AppError(ss(missing));

  auto restoring = background(this, [dir, going, target] {
    const History::Restored restored =
        going == Going::back ? History::undo(dir)
        : going == Going::forward
            ? History::redo(dir)
            : History::restore(dir, target.id, History::describeRestore(target.stateText));
    return placeFiles(restored);
  });
  const Profile back = co_await restoring;
  Log::write("restored profile '" + back.name + "' to snapshot " + target.id);
  parts_.book->writeBack(back);
  emit restored(qs(id));  // the config files may have changed under the settings sheet

  co_await parts_.sync->sync(id);
  parts_.activity->setNote(target.note);
}
