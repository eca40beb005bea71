// The History sheet's rows and the diff of one snapshot against the current state.
#include <algorithm>
#include <map>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/words.hpp"
#include "history/history.hpp"
#include "history/state.hpp"
#include "history/undo_stack.hpp"
#include "profiles/profile_store.hpp"

namespace fs = std::filesystem;

namespace History {
namespace {
// Reads a listing's records and checks their files, asking the disk once per object.
class Reader {
 public:
  explicit Reader(const fs::path& profileDir)
      : dir_(profileDir), store_(HistoryLayout::objects(profileDir)) {}

  // The snapshot's row; with `current`, counted against it.
  SnapshotInfo info(const std::string& id, const ProfileState* current) {
    SnapshotInfo row{id};
    try {
      const SnapshotRecord record = loadRecord(dir_, id);
      row.time = record.time;
      row.description = record.description;
      row.undo = record.undo;
      row.after = record.after;
      row.damaged = !std::all_of(record.files.begin(), record.files.end(),
                                 [&](const auto& entry) { return present(entry.second); });
      if (!row.damaged && current)
        row.changes = diffStates({this->record(record), record.files}, *current).counts();
    } catch (const std::exception&) {
      row.damaged = true;
    }
    return row;
  }

  // The snapshot's record, or none when the snapshot cannot be restored.
  std::optional<Profile> restorable(const std::string& id) {
    try {
      const SnapshotRecord record = loadRecord(dir_, id);
      if (!std::all_of(record.files.begin(), record.files.end(),
                       [&](const auto& entry) { return present(entry.second); }))
        return std::nullopt;
      return this->record(record);
    } catch (const std::exception&) {
      return std::nullopt;
    }
  }

 private:
  bool present(const StoredFile& file) {
    auto [it, fresh] = present_.try_emplace(file.hash, false);
    if (fresh) it->second = store_.present(file);
    return it->second;
  }

  // Snapshots in a row often share their record (config saves change only config files).
  const Profile& record(const SnapshotRecord& snapshot) {
    const StoredFile& file = snapshot.files.at(std::string(HistoryLayout::recordPath));
    auto it = records_.find(file.hash);
    if (it != records_.end()) return it->second;
    auto bytes = store_.read(file);
    if (!bytes) throw AppError(damagedSentence());
    return records_.emplace(file.hash, ProfileStore::decodeProfile(*bytes)).first->second;
  }

  fs::path dir_;
  ObjectStore store_;
  std::map<std::string, bool> present_;
  std::map<std::string, Profile> records_;
};
}  // namespace

std::vector<SnapshotInfo> list(const fs::path& profileDir) {
  const ProfileState current = currentState(profileDir);
  const UndoStack stack = loadStack(profileDir);
  Reader reader(profileDir);
  std::vector<SnapshotInfo> rows;
  if (stack.atTip() && !stack.states.empty()) {
    const SnapshotInfo last = reader.info(stack.states.back(), nullptr);
    rows.push_back({"", last.time, last.description, last.undo, false, {}, true, true});
  }
  const auto ids = HistoryLayout::ids(profileDir);
  for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
    rows.push_back(reader.info(*id, &current));
    rows.back().now = !stack.atTip() && stack.states[stack.cursor] == *id;
  }
  return rows;
}

Steps steps(const fs::path& profileDir) {
  const UndoStack stack = loadStack(profileDir);
  Reader reader(profileDir);
  Steps steps;
  if (stack.cursor > 0 && !stack.states.empty()) {
    const SnapshotInfo back =
        reader.info(stack.states[std::min(stack.cursor, stack.states.size()) - 1], nullptr);
    steps.undo = Step{back.id, back.undo, back.damaged};
  }
  if (stack.cursor + 1 < stack.states.size())
    steps.redo = Step{stack.states[stack.cursor + 1], reader.info(stack.states[stack.cursor], nullptr).undo,
                      reader.info(stack.states[stack.cursor + 1], nullptr).damaged};
  return steps;
}

std::optional<SnapshotInfo> find(const fs::path& profileDir, const std::string& id) {
  const auto ids = HistoryLayout::ids(profileDir);
  if (std::find(ids.begin(), ids.end(), id) == ids.end()) return std::nullopt;
  return Reader(profileDir).info(id, nullptr);
}

std::optional<std::string> lastWith(const fs::path& profileDir, const std::string& key,
                                    const std::string& version) {
  Reader reader(profileDir);
  const auto ids = HistoryLayout::ids(profileDir);
  for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
    const std::optional<Profile> record = reader.restorable(*id);
    const ProfileMod* mod = record ? record->find(key) : nullptr;
    if (mod && mod->installed == version) return *id;
  }
  return std::nullopt;
}

ProfileDiff diff(const fs::path& profileDir, const std::string& id) {
  const std::string damaged = Words::translate("History", "This snapshot is damaged and can’t be shown.");
  SnapshotRecord record;
  try {
    record = loadRecord(profileDir, id);
  } catch (const AppError&) {
    throw;
  } catch (const std::exception&) {
    throw AppError(damaged);
  }
  const ObjectStore store(HistoryLayout::objects(profileDir));
  auto stored = [&](const std::string&, const StoredFile& file) {
    auto bytes = store.read(file);
    if (!bytes) throw AppError(damaged);
    return *bytes;
  };
  auto onDisk = [&](const std::string& path, const StoredFile&) {
    try {
      return FS::readFile(profileDir / path);
    } catch (const fs::filesystem_error&) {
      return std::string();  // changed again since it was hashed; shown against nothing
    }
  };
  const Profile snapshotRecord =
      ProfileStore::decodeProfile(stored("", record.files.at(std::string(HistoryLayout::recordPath))));
  return diffStates({snapshotRecord, record.files}, currentState(profileDir), stored, onDisk);
}
}  // namespace History
