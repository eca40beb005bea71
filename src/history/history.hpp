#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "foundation/date.hpp"
#include "history/diff.hpp"
#include "profiles/profile.hpp"

// The history of a profile: snapshots of its record ("profile.json") and its config folder's
// files, kept in the profile folder's "history" (so deleting the profile deletes it; a duplicate
// and an exported profile leave it out). Files are stored by content: a snapshot of unchanged
// files adds only its own small record. Holds ("holds.json") are not part of a snapshot: going
// back leaves them as the player set them.
//
// Every operation takes the profile's folder (Profile::dir()), blocks, and may run on any thread;
// calls for one profile must not overlap (the app runs every change of a profile, and every read
// of its history, through that profile's one queue). A
// process that dies during a snapshot or a restore leaves the old state or the new one, whole:
// the next snapshot, restore or recoverAll() finishes a restore that was cut short.
//
// How the app uses it:
//   before a change     snapshot(p.dir(), describeUpdate(mod, "2.21.0")); when it throws,
//                       the change does not start and the error's text is shown. After it,
//                       dropIfUnchanged(): a change that changed nothing leaves no snapshot.
//   History sheet       list() for the rows (their DiffCounts for the short diff),
//                       diff() for the selected row.
//   Restore / Undo      refuse while the game runs ("Valheim is already running."); then
//                       missingVersions(restoredRecord(dir, id), obtainable) names what cannot
//                       be installed, before anything changes; restore() writes the record and
//                       the config files, and the app puts Restored::profile in its list, takes
//                       the files of Restored::changes' removed mods away, moves the files of
//                       mods whose enabled state changed, and syncs the profile.
//   Undo / Redo         steps() names them ("Undo Update Jotunn"); undo() and redo() walk the undo
//                       stack one state at a time and restore it as restore() does, without a
//                       snapshot of their own. A change after some undos drops the redo steps from
//                       the stack; their snapshots stay in the list.
//   start-up            recoverAll() before ProfileStore::loadAll().
namespace History {

// What a snapshot is taken before: the sheet's line ("Updated Jotunn 2.20.0 → 2.21.0") and the
// name of the command that undoes it ("Update Jotunn", shown as "Undo Update Jotunn").
struct Change {
  std::string description;
  std::string undo;  // empty in snapshots from before undo names were kept
};

struct SnapshotInfo {
  std::string id;  // for diff() and restore()
  Date time = distantPast;  // distantPast when the record itself is unreadable
  std::string description;
  std::string undo;
  // A snapshot whose record is unreadable or one of whose files is missing; it cannot be
  // shown or restored, and the others still can.
  bool damaged = false;
  DiffCounts changes;  // against the current state (zero for a damaged snapshot and from find())
  bool after = false;  // the state a change led to, kept when Undo left it: "after" the description
  bool now = false;  // the state the profile is in
};

// A step Undo or Redo can take: the snapshot it leads to, the name of the command ("Remove
// ValheimPlus", empty in records from before names were kept) and whether it can be restored.
struct Step {
  std::string target;
  std::string name;
  bool damaged = false;
  bool operator==(const Step&) const = default;
};
struct Steps {
  std::optional<Step> undo, redo;
};

// How much history a profile keeps; past either bound the oldest snapshots go first (the newest
// always stays), and files no snapshot holds any more go with them.
struct Limits {
  size_t snapshots = 100;
  uint64_t bytes = 200'000'000;
};

// Stores the profile's current record and config files with the change they are taken before;
// returns the new snapshot's id. A full disk throws AppError with a sentence that says nothing was changed;
// other failures pass the platform's error up. The snapshot becomes the newest step of the undo stack.
std::string snapshot(const std::filesystem::path& profileDir, const Change& change,
                     const Limits& limits = {});
// After the change the snapshot was taken before: when the record and every config file are as the
// snapshot has them, the snapshot goes and the undo stack is as it was. Returns whether it went.
bool dropIfUnchanged(const std::filesystem::path& profileDir, const std::string& id);

// Every snapshot, newest first, each counted against the current state; the one the profile is in
// is marked `now`. When the profile is past every snapshot since its last change, a first row
// without an id stands for it: `now`, `after` that change.
std::vector<SnapshotInfo> list(const std::filesystem::path& profileDir);
Steps steps(const std::filesystem::path& profileDir);
// The snapshot with this id (without counts), or none when there is no such snapshot.
std::optional<SnapshotInfo> find(const std::filesystem::path& profileDir, const std::string& id);

// The newest snapshot that can be restored whose record has the mod `key` installed at `version`:
// the state before that mod was changed from it. None when no snapshot has it.
std::optional<std::string> lastWith(const std::filesystem::path& profileDir, const std::string& key,
                                    const std::string& version);

// What changed from the snapshot (before) to the current state (after). Throws AppError for a
// damaged snapshot or one that no longer exists.
ProfileDiff diff(const std::filesystem::path& profileDir, const std::string& id);

// The record a restore of the snapshot would write: the snapshot's mods, wanted versions, enabled
// states and pack, with the installed versions as the profile's files are now (the sync after a
// restore then installs what differs). The profile keeps its id, name and creation date.
Profile restoredRecord(const std::filesystem::path& profileDir, const std::string& id);

// The mods of a record that a sync would have to install (not installed, or at another version)
// and that `obtainable(key, version)` says cannot be had (neither downloaded before nor in the
// catalogue), in the record's order. The loader pack, when it is one of them, comes first as an
// entry with LoaderPack's ns and name.
std::vector<ProfileMod> missingVersions(
    const Profile& record,
    const std::function<bool(const std::string& key, const std::string& version)>& obtainable);

struct Restored {
  Profile profile;  // the record now on disk (as restoredRecord() gave it)
  std::string undoID;  // the snapshot of the state before the restore; empty after Undo and Redo
  ProfileDiff changes;  // from the state before the restore to the restored one
};

// Snapshots the current state with `change` (so the restore can be undone), then puts the
// snapshot's record and config files back; config files the snapshot did not have are removed.
// Throws AppError before changing anything when the snapshot is damaged or gone. A restore that
// would change nothing takes no snapshot (`undoID` is empty).
Restored restore(const std::filesystem::path& profileDir, const std::string& id, const Change& change);
// One step back (forward) along the undo stack, restored as restore() does; the first Undo after a
// change keeps the state it leaves, for Redo. Throws AppError when there is no such step.
Restored undo(const std::filesystem::path& profileDir);
Restored redo(const std::filesystem::path& profileDir);

// Finishes a restore that a dying process left unfinished. Never fails; a failure is logged.
void recover(const std::filesystem::path& profileDir) noexcept;
// recover() for every folder in the profiles folder.
void recoverAll() noexcept;

// The changes the app snapshots before.
Change describeAdd(const std::string& modName);  // "Added PlanBuild" / "Add PlanBuild"
Change describeRemove(const std::string& modName);  // "Removed PlanBuild" / "Remove PlanBuild"
Change describeUpdate(const ProfileMod& mod,
                      const std::string& newVersion);  // "Updated Jotunn 2.20.0 → 2.21.0" / "Update Jotunn"
Change describeUpdateAll();  // "Updated all mods" / "Update All"
// Several mods updated at once, the first three named: "Updated 5 mods: Jotunn, PlanBuild,
// ValheimPlus, …" / "Update 5 Mods"; one alone as describeUpdate() says it.
Change describeUpdates(const std::vector<std::string>& modNames);
Change describeToggle(const ProfileMod& mod, bool enabled);  // "Turned off BetterArchery" / "Turn Off …"
Change describeInstallFile(const std::string& modName);  // "Installed Raid Tweaks from a file"
Change describeConfigSave(const std::filesystem::path& file);  // "Saved BepInEx.cfg" / "Save BepInEx.cfg"
Change describeImport(bool fromFile);  // "Replaced the profile with an imported code" / "… file" / "Import"
// The snapshot's line as the sheet shows it: "Restored “Before you removed PlanBuild”" / "Restore"
Change describeRestore(const std::string& stateText);
}  // namespace History
