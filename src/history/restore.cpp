// Going back to a snapshot. The restore first decides every file's bytes and writes that target as a
// journal; only then are the files replaced, one by one. A process that dies on the way leaves the
// journal, and the next call rolls it forward: the profile ends up wholly old or wholly restored.
#include <algorithm>
#include <set>
#include <vector>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "foundation/words.hpp"
#include "history/fault_point.hpp"
#include "history/history.hpp"
#include "history/sha256.hpp"
#include "history/state.hpp"
#include "history/undo_stack.hpp"
#include "profiles/profile_store.hpp"

namespace fs = std::filesystem;

namespace History {
namespace {
// The snapshot's files, every one read and checked against its hash.
std::map<std::string, std::string> readWhole(const fs::path& profileDir, const std::string& id) {
  std::map<std::string, std::string> bytes;
  try {
    const ObjectStore store(HistoryLayout::objects(profileDir));
    for (const auto& [path, file] : loadRecord(profileDir, id).files) {
      auto content = store.read(file);
      if (!content) throw AppError(damagedSentence());
      bytes[path] = std::move(*content);
    }
  } catch (const AppError&) {
    throw;
  } catch (const std::exception&) {
    throw AppError(damagedSentence());
  }
  return bytes;
}

// The snapshot's mods and pack as wanted, installed as the files are now.
Profile restoredFrom(const std::string& snapshotRecord, const Profile& now) {
  Profile restored;
  try {
    restored = ProfileStore::decodeProfile(snapshotRecord);
  } catch (const std::exception&) {
    throw AppError(damagedSentence());
  }
  restored.id = now.id;
  restored.name = now.name;
  restored.created = now.created;
  restored.packInstalled = now.packInstalled;
  for (ProfileMod& mod : restored.mods) {
    const ProfileMod* current = now.find(mod.id());
    mod.installed = current ? current->installed : std::nullopt;
  }
  return restored;
}

Profile recordOnDisk(const fs::path& profileDir) {
  return ProfileStore::decodeProfile(FS::readFile(profileDir / HistoryLayout::recordPath));
}

// Puts every file of the target in place and removes the config files it does not have. Files
// that already hold the target's bytes are left alone, so running it again changes nothing. Every
// stored copy is read before the first file is replaced: one that is gone leaves the files as they were.
void apply(const fs::path& profileDir, const SnapshotRecord& target) {
  const ObjectStore store(HistoryLayout::objects(profileDir));
  std::vector<std::pair<fs::path, std::string>> writes;
  for (const auto& [path, file] : target.files) {
    const fs::path to = profileDir / path;
    try {
      const std::string now = FS::readFile(to, file.size);
      if (now.size() == file.size && sha256Hex(now) == file.hash) continue;
    } catch (const fs::filesystem_error&) {
    }
    auto bytes = store.read(file);
    if (!bytes) throw std::runtime_error("restore: the stored copy of " + path + " is gone");
    writes.emplace_back(to, std::move(*bytes));
  }
  for (const auto& [to, bytes] : writes) {
    FS::mkdir(to.parent_path());
    FS::writeAtomic(to, bytes);
    FaultPoint::reach();
  }
  for (const std::string& path : HistoryLayout::keptFiles(profileDir)) {
    if (target.files.count(path)) continue;
    FS::remove(profileDir / path);
    FaultPoint::reach();
  }
}

void finish(const fs::path& profileDir, const SnapshotRecord& target) {
  apply(profileDir, target);
  settlePendingStack(profileDir, true);
  FS::remove(HistoryLayout::restoreJournal(profileDir));
  FaultPoint::reach();
}

// What a restore of the snapshot writes, by path: its files, and its record with the profile's
// own name and installed versions.
struct Target {
  std::map<std::string, std::string> bytes;
  Profile profile;
};

Target targetOf(const fs::path& profileDir, const std::string& id) {
  Target target{readWhole(profileDir, id), {}};
  std::string& record = target.bytes.at(std::string(HistoryLayout::recordPath));
  target.profile = restoredFrom(record, recordOnDisk(profileDir));
  record = ProfileStore::encodeProfile(target.profile);
  return target;
}

bool isCurrent(const fs::path& profileDir, const Target& target) {
  const ProfileState current = currentState(profileDir);
  if (current.files.size() != target.bytes.size()) return false;
  return std::all_of(target.bytes.begin(), target.bytes.end(), [&](const auto& file) {
    auto it = current.files.find(file.first);
    return it != current.files.end() && it->second.size == file.second.size() &&
           it->second.hash == sha256Hex(file.second);
  });
}

// Journals the target, with the undo stack that goes with it when one does, and puts it in place.
Restored put(const fs::path& profileDir, const Target& target, const UndoStack* stack) {
  const ProfileState before = currentState(profileDir);
  // Stored again: a snapshot just taken may have pruned the one being restored.
  const ObjectStore store(HistoryLayout::objects(profileDir));
  SnapshotRecord journal{now(), "restore", {}, false, {}};
  for (const auto& [path, content] : target.bytes) journal.files[path] = store.put(content);
  if (stack) savePendingStack(profileDir, *stack);
  FS::writeAtomic(HistoryLayout::restoreJournal(profileDir), encodeRecord(journal));
  FaultPoint::reach();
  finish(profileDir, journal);
  return {target.profile, {}, diffStates(before, {target.profile, journal.files})};
}
}  // namespace

Profile restoredRecord(const fs::path& profileDir, const std::string& id) {
  auto bytes = readWhole(profileDir, id);
  return restoredFrom(bytes.at(std::string(HistoryLayout::recordPath)), recordOnDisk(profileDir));
}

std::vector<ProfileMod> missingVersions(
    const Profile& record,
    const std::function<bool(const std::string& key, const std::string& version)>& obtainable) {
  std::vector<ProfileMod> missing;
  if (record.packVersion && record.packVersion != record.packInstalled &&
      !obtainable(std::string(LoaderPack::id), *record.packVersion))
    missing.push_back({std::string(LoaderPack::ns), std::string(LoaderPack::name), *record.packVersion});
  for (const ProfileMod& mod : record.mods)
    if (mod.installed != mod.version && !obtainable(mod.id(), mod.version)) missing.push_back(mod);
  return missing;
}

Restored restore(const fs::path& profileDir, const std::string& id, const Change& change) {
  recover(profileDir);
  const Target target = targetOf(profileDir, id);
  if (isCurrent(profileDir, target)) return {target.profile, {}, {}};
  const std::string undoID = snapshot(profileDir, change);
  Restored result = put(profileDir, target, nullptr);
  result.undoID = undoID;
  return result;
}

Restored undo(const fs::path& profileDir) {
  recover(profileDir);
  UndoStack stack = loadStack(profileDir);
  if (stack.cursor == 0 || stack.states.empty())
    throw AppError(Words::translate("History", "There’s nothing to undo."));
  const Target target = targetOf(profileDir, stack.states[std::min(stack.cursor, stack.states.size()) - 1]);
  // The state the last change led to is kept, for Redo to come back to.
  if (stack.atTip()) {
    const SnapshotRecord last = loadRecord(profileDir, stack.states.back());
    stack.states.push_back(take(profileDir, {last.description, last.undo}, true));
    stack.cursor = stack.states.size() - 1;
  }
  --stack.cursor;
  stack.dropped.clear();
  Restored result = put(profileDir, target, &stack);
  pruneQuietly(profileDir);
  return result;
}

Restored redo(const fs::path& profileDir) {
  recover(profileDir);
  UndoStack stack = loadStack(profileDir);
  if (stack.cursor + 1 >= stack.states.size())
    throw AppError(Words::translate("History", "There’s nothing to redo."));
  ++stack.cursor;
  stack.dropped.clear();
  return put(profileDir, targetOf(profileDir, stack.states[stack.cursor]), &stack);
}

void recover(const fs::path& profileDir) noexcept {
  const fs::path journal = HistoryLayout::restoreJournal(profileDir);
  FS::removeStaleTemporaries(journal);
  if (!FS::exists(journal)) {
    try {
      settlePendingStack(profileDir, false);  // a step that died before its journal: the cursor stays
    } catch (const std::exception& e) {
      Log::write(std::string("history: ") + e.what());
    }
    return;
  }
  try {
    finish(profileDir, decodeRecord(FS::readFile(journal)));
    Log::write("finished an interrupted restore of profile " + profileDir.filename().string());
  } catch (const std::exception& e) {
    Log::write("history: couldn't finish an interrupted restore of profile " +
               profileDir.filename().string() + ": " + e.what());
  }
}

void recoverAll() noexcept {
  std::error_code ec;
  for (fs::directory_iterator it(Paths::profiles(), ec), end; !ec && it != end; it.increment(ec))
    if (FS::exists(HistoryLayout::restoreJournal(it->path()))) recover(it->path());
}
}  // namespace History
