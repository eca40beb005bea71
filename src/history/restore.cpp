// Going back to a snapshot. The restore first decides every file's bytes and writes that target as a
// journal; only then are the files replaced, one by one. A process that dies on the way leaves the
// journal, and the next call rolls it forward: the profile ends up wholly old or wholly restored.
#include <set>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "history/fault_point.hpp"
#include "history/history.hpp"
#include "history/sha256.hpp"
#include "history/state.hpp"
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
      if (!content) throw AppError(damagedSentence);
      bytes[path] = std::move(*content);
    }
  } catch (const AppError&) {
    throw;
  } catch (const std::exception&) {
    throw AppError(damagedSentence);
  }
  return bytes;
}

// The snapshot's mods and pack as wanted, installed as the files are now.
Profile restoredFrom(const std::string& snapshotRecord, const Profile& now) {
  Profile restored;
  try {
    restored = ProfileStore::decodeProfile(snapshotRecord);
  } catch (const std::exception&) {
    throw AppError(damagedSentence);
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
// that already hold the target's bytes are left alone, so running it again changes nothing.
void apply(const fs::path& profileDir, const SnapshotRecord& target) {
  const ObjectStore store(HistoryLayout::objects(profileDir));
  for (const auto& [path, file] : target.files) {
    const fs::path to = profileDir / path;
    try {
      const std::string now = FS::readFile(to, file.size);
      if (now.size() == file.size && sha256Hex(now) == file.hash) continue;
    } catch (const fs::filesystem_error&) {
    }
    auto bytes = store.read(file);
    if (!bytes) throw std::runtime_error("restore: the stored copy of " + path + " is gone");
    FS::mkdir(to.parent_path());
    FS::writeAtomic(to, *bytes);
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
  FS::remove(HistoryLayout::restoreJournal(profileDir));
  FaultPoint::reach();
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
  std::map<std::string, std::string> bytes = readWhole(profileDir, id);
  const Profile before = recordOnDisk(profileDir);
  Restored result{restoredFrom(bytes.at(std::string(HistoryLayout::recordPath)), before), {}, {}};
  bytes[std::string(HistoryLayout::recordPath)] = ProfileStore::encodeProfile(result.profile);

  result.undoID = snapshot(profileDir, change);
  // Stored again: the snapshot just taken may have pruned the one being restored.
  const ObjectStore store(HistoryLayout::objects(profileDir));
  SnapshotRecord target{now(), "restore " + id, {}, {}};
  for (const auto& [path, content] : bytes) target.files[path] = store.put(content);
  FS::writeAtomic(HistoryLayout::restoreJournal(profileDir), encodeRecord(target));
  FaultPoint::reach();
  finish(profileDir, target);

  const SnapshotRecord undo = loadRecord(profileDir, result.undoID);
  auto read = [&](const std::string&, const StoredFile& file) { return store.read(file).value_or(""); };
  result.changes = diffStates({before, undo.files}, {result.profile, target.files}, read, read);
  return result;
}

void recover(const fs::path& profileDir) noexcept {
  const fs::path journal = HistoryLayout::restoreJournal(profileDir);
  FS::removeStaleTemporaries(journal);
  if (!FS::exists(journal)) return;
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
