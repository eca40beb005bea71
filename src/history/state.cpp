#include "history/state.hpp"

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/words.hpp"
#include "history/sha256.hpp"
#include "profiles/profile_store.hpp"

namespace fs = std::filesystem;

namespace History {
std::string damagedSentence() {
  return Words::translate("History", "This snapshot is damaged and can’t be restored.");
}

ProfileState currentState(const fs::path& profileDir) {
  ProfileState state;
  for (const std::string& path : HistoryLayout::keptFiles(profileDir)) {
    std::string bytes;
    try {
      bytes = FS::readFile(profileDir / path);
    } catch (const fs::filesystem_error&) {
      continue;  // gone since it was listed, or no record at all
    }
    if (path == HistoryLayout::recordPath) {
      try {
        state.record = ProfileStore::decodeProfile(bytes);
      } catch (const std::exception&) {
      }
    }
    state.files[path] = {sha256Hex(bytes), bytes.size()};
  }
  return state;
}

SnapshotRecord loadRecord(const fs::path& profileDir, const std::string& id) {
  std::string text;
  try {
    text = FS::readFile(HistoryLayout::recordFile(profileDir, id));
  } catch (const fs::filesystem_error& e) {
    if (e.code() == std::errc::no_such_file_or_directory)
      throw AppError(Words::translate("History", "That snapshot no longer exists."));
    throw;
  }
  return decodeRecord(text);
}

ProfileDiff diffStates(const ProfileState& before, const ProfileState& after, const ReadFile& readBefore,
                       const ReadFile& readAfter) {
  ProfileDiff diff{modChanges(before.record, after.record), packChange(before.record, after.record), {}};
  const std::string prefix(HistoryLayout::configPrefix);
  using Files = std::map<std::string, StoredFile>;
  // The config files come together in path order: one walk over both pairs them up.
  auto b = before.files.lower_bound(prefix), a = after.files.lower_bound(prefix);
  auto inConfig = [&](Files::const_iterator it, const Files& files) {
    return it != files.end() && it->first.starts_with(prefix);
  };
  using Kind = ConfigFileChange::Kind;
  while (inConfig(b, before.files) || inConfig(a, after.files)) {
    const bool onlyBefore = !inConfig(a, after.files) || (inConfig(b, before.files) && b->first < a->first);
    const bool onlyAfter = !inConfig(b, before.files) || (inConfig(a, after.files) && a->first < b->first);
    const std::string& path = (onlyBefore ? b : a)->first;
    ConfigFileChange change{path.substr(prefix.size()), onlyBefore ? Kind::removed : Kind::added, {}};
    if (!onlyBefore && !onlyAfter) {
      change.kind = Kind::changed;
      if (b->second == a->second) {
        ++a, ++b;
        continue;
      }
      if (readBefore && readAfter && path.ends_with(".cfg"))
        change.settings = settingChanges(readBefore(path, b->second), readAfter(path, a->second));
    }
    diff.configFiles.push_back(std::move(change));
    if (!onlyAfter) ++b;
    if (!onlyBefore) ++a;
  }
  return diff;
}
}  // namespace History
