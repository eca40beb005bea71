#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/date.hpp"
#include "history/object_store.hpp"

// One snapshot as "history/snapshots/<id>.record" holds it: what the profile's files were, by path
// inside the profile folder with "/" ("profile.json", "BepInEx/config/BepInEx.cfg").
struct SnapshotRecord {
  Date time = distantPast;
  std::string description;
  std::string undo;  // the undo command's name; records from before it was kept have none
  // The state the change led to rather than the one before it: kept when Undo leaves it, so that
  // Redo can come back.
  bool after = false;
  std::map<std::string, StoredFile> files;
  bool operator==(const SnapshotRecord&) const = default;
};

std::string encodeRecord(const SnapshotRecord& record);
// Throws when the text is no record, or names a file a snapshot never keeps.
SnapshotRecord decodeRecord(std::string_view text);

// Where a profile folder keeps its history, and which of its files a snapshot keeps.
namespace HistoryLayout {
inline constexpr std::string_view recordPath = "profile.json";
inline constexpr std::string_view configPrefix = "BepInEx/config/";

std::filesystem::path root(const std::filesystem::path& profileDir);
std::filesystem::path objects(const std::filesystem::path& profileDir);
std::filesystem::path snapshots(const std::filesystem::path& profileDir);
std::filesystem::path recordFile(const std::filesystem::path& profileDir, const std::string& id);
// A restore's target (a record), present from the moment it is decided until every file is in place.
std::filesystem::path restoreJournal(const std::filesystem::path& profileDir);
std::filesystem::path configDir(const std::filesystem::path& profileDir);  // where configPrefix points
// The ids of the stored records, oldest first.
std::vector<std::string> ids(const std::filesystem::path& profileDir);

// "profile.json", then every regular file under the config folder, by path with "/".
std::vector<std::string> keptFiles(const std::filesystem::path& profileDir);
}  // namespace HistoryLayout
