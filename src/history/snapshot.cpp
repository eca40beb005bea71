// Taking a snapshot, and keeping the history within its limits.
#include <algorithm>
#include <cerrno>
#include <set>
#include <system_error>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/words.hpp"
#include "history/fault_point.hpp"
#include "history/history.hpp"
#include "history/state.hpp"
#include "history/undo_stack.hpp"

namespace fs = std::filesystem;

namespace History {
namespace {
bool diskFull(const std::error_code& code) {
  return code == std::errc::no_space_on_device ||
         (code.category() == std::generic_category() && code.value() == EDQUOT);
}

// One line, whatever the caller passed.
std::string oneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return text;
}

uint64_t fileSize(const fs::path& p) {
  std::error_code ec;
  const uint64_t size = fs::file_size(p, ec);
  return ec ? 0 : size;
}

// Drops the oldest snapshots while there are too many or they take too much room, then every
// object no remaining snapshot holds (and what interrupted writes left). Cheap while within bounds:
// the records are read only when something has to go.
void prune(const fs::path& profileDir, const Limits& limits) {
  const ObjectStore store(HistoryLayout::objects(profileDir));
  const std::vector<std::string> ids = HistoryLayout::ids(profileDir);
  const auto sizes = store.sizes();
  std::vector<uint64_t> recordBytes;
  uint64_t total = 0;
  for (const auto& [name, size] : sizes) total += size;
  for (const auto& id : ids)
    total += recordBytes.emplace_back(fileSize(HistoryLayout::recordFile(profileDir, id)));
  if (ids.size() <= limits.snapshots && total <= limits.bytes) return;

  // Counted again with only what the snapshots hold: files of a damaged record are not known.
  std::vector<SnapshotRecord> records(ids.size());
  std::vector<bool> unread(ids.size());
  std::map<std::string, size_t> holders;
  total = 0;
  for (size_t i = 0; i < ids.size(); ++i) {
    total += recordBytes[i];
    try {
      records[i] = loadRecord(profileDir, ids[i]);
    } catch (const std::exception&) {
      unread[i] = true;
      continue;
    }
    for (const auto& [path, file] : records[i].files)
      if (holders[file.hash]++ == 0) total += file.size;
  }
  size_t dropped = 0;
  for (; ids.size() - dropped > std::max<size_t>(limits.snapshots, 1) ||
         (total > limits.bytes && ids.size() - dropped > 1);
       ++dropped) {
    total -= recordBytes[dropped];
    for (const auto& [path, file] : records[dropped].files)
      if (--holders[file.hash] == 0) total -= file.size;
  }
  for (size_t i = 0; i < dropped; ++i) {
    FS::remove(HistoryLayout::recordFile(profileDir, ids[i]));
    FaultPoint::reach();
  }
  // A record that could not be read may hold files nothing else does: until it is pruned in turn,
  // no file goes.
  if (std::find(unread.begin() + ptrdiff_t(dropped), unread.end(), true) != unread.end()) return;
  std::set<std::string> kept;
  for (const auto& [hash, count] : holders)
    if (count > 0) kept.insert(hash);
  store.removeAllBut(kept);
}
}  // namespace

std::string take(const fs::path& profileDir, const Change& change, bool after) {
  const ObjectStore store(HistoryLayout::objects(profileDir));
  SnapshotRecord record{now(), oneLine(change.description), oneLine(change.undo), after, {}};
  for (const std::string& path : HistoryLayout::keptFiles(profileDir)) {
    std::string bytes;
    try {
      bytes = FS::readFile(profileDir / path);
    } catch (const fs::filesystem_error& e) {
      // A config file the game removed meanwhile is simply not there; the record must be.
      if (path == HistoryLayout::recordPath || e.code() != std::errc::no_such_file_or_directory) throw;
      continue;
    }
    record.files[path] = store.put(bytes);
  }
  const std::vector<std::string> ids = HistoryLayout::ids(profileDir);
  const std::string id = std::to_string(ids.empty() ? 1 : std::stoll(ids.back()) + 1);
  FS::mkdir(HistoryLayout::snapshots(profileDir));
  FaultPoint::reach();
  writeReplacing(HistoryLayout::recordFile(profileDir, id), encodeRecord(record));
  FaultPoint::reach();
  return id;
}

void pruneQuietly(const fs::path& profileDir, const Limits& limits) noexcept {
  try {
    prune(profileDir, limits);
  } catch (const std::exception& e) {
    Log::write(std::string("history prune failed: ") + e.what());
  }
}

std::string snapshot(const fs::path& profileDir, const Change& change, const Limits& limits) {
  recover(profileDir);
  std::string id;
  try {
    UndoStack stack = loadStack(profileDir);
    id = take(profileDir, change, false);
    stack.push(id);
    saveStack(profileDir, stack);
  } catch (const std::system_error& e) {
    if (!diskFull(e.code())) throw;
    throw AppError(Words::translate(
        "History",
        "There isn’t enough disk space to keep a snapshot of this profile, so nothing was changed. Free some "
        "space and try again."));
  }
  // The snapshot is taken; a history that cannot shrink now shrinks next time.
  pruneQuietly(profileDir, limits);
  return id;
}

bool dropIfUnchanged(const fs::path& profileDir, const std::string& id) {
  SnapshotRecord record;
  try {
    record = loadRecord(profileDir, id);
  } catch (const std::exception&) {
    return false;
  }
  if (record.files != currentState(profileDir).files) return false;
  // The stack first: a process that dies between the two leaves an extra row, never a step to nothing.
  UndoStack stack = loadStack(profileDir);
  if (!stack.states.empty() && stack.states.back() == id && stack.atTip()) {
    stack.pop();
    saveStack(profileDir, stack);
  }
  FS::remove(HistoryLayout::recordFile(profileDir, id));
  return true;
}

Change describeAdd(const std::string& modName) {
  return {Words::fill(Words::translate("History", "Added %1"), {modName}),
          Words::fill(Words::translate("History", "Add %1"), {modName})};
}

Change describeRemove(const std::string& modName) {
  return {Words::fill(Words::translate("History", "Removed %1"), {modName}),
          Words::fill(Words::translate("History", "Remove %1"), {modName})};
}

Change describeUpdate(const ProfileMod& mod, const std::string& newVersion) {
  return {Words::fill(Words::translate("History", "Updated %1 %2 → %3"),
                      {mod.displayName(), mod.installed.value_or(mod.version), newVersion}),
          Words::fill(Words::translate("History", "Update %1"), {mod.displayName()})};
}

Change describeUpdateAll() {
  return {Words::translate("History", "Updated all mods"), Words::translate("History", "Update All")};
}

Change describeUpdates(const std::vector<std::string>& modNames) {
  constexpr size_t named = 3;
  std::string names;
  for (size_t i = 0; i < modNames.size() && i < named; ++i) names += (i ? ", " : "") + modNames[i];
  if (modNames.size() > named) names += ", …";
  const int n = int(modNames.size());
  return {Words::fill(Words::translate("History", "Updated %n mods: %1", nullptr, n), {names}),
          Words::translate("History", "Update %n Mods", nullptr, n)};
}

Change describeToggle(const ProfileMod& mod, bool enabled) {
  const std::string name = mod.displayName();
  return enabled ? Change{Words::fill(Words::translate("History", "Turned on %1"), {name}),
                          Words::fill(Words::translate("History", "Turn On %1"), {name})}
                 : Change{Words::fill(Words::translate("History", "Turned off %1"), {name}),
                          Words::fill(Words::translate("History", "Turn Off %1"), {name})};
}

Change describeInstallFile(const std::string& modName) {
  return {Words::fill(Words::translate("History", "Installed %1 from a file"), {modName}),
          Words::fill(Words::translate("History", "Install %1"), {modName})};
}

Change describeConfigSave(const fs::path& file) {
  const std::string name = file.filename().string();
  return {Words::fill(Words::translate("History", "Saved %1"), {name}),
          Words::fill(Words::translate("History", "Save %1"), {name})};
}

Change describeImport(bool fromFile) {
  return {fromFile ? Words::translate("History", "Replaced the profile with an imported file")
                   : Words::translate("History", "Replaced the profile with an imported code"),
          Words::translate("History", "Import")};
}

Change describeRestore(const std::string& stateText) {
  return {Words::fill(Words::translate("History", "Restored “%1”"), {stateText}),
          Words::translate("History", "Restore")};
}
}  // namespace History
