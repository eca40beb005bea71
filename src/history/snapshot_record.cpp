#include "history/snapshot_record.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "foundation/text.hpp"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {
// A record from the disk must not lead a restore outside the profile's own files.
bool keptPath(std::string_view path) {
  if (path == HistoryLayout::recordPath) return true;
  if (!path.starts_with(HistoryLayout::configPrefix)) return false;
  std::string_view rest = path.substr(HistoryLayout::configPrefix.size());
  while (true) {
    const size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    if (part.empty() || part == "." || part == "..") return false;
    if (slash == std::string_view::npos) return true;
    rest = rest.substr(slash + 1);
  }
}
}  // namespace

std::string encodeRecord(const SnapshotRecord& record) {
  json files = json::object();
  for (const auto& [path, file] : record.files) files[path] = {file.hash, file.size};
  return json{{"time", Dates::iso8601(record.time)}, {"description", record.description}, {"files", files}}
      .dump();
}

SnapshotRecord decodeRecord(std::string_view text) {
  const json j = json::parse(text);
  SnapshotRecord record;
  const auto time = Dates::parseISO8601(j.at("time").get<std::string>());
  if (!time) throw std::runtime_error("snapshot: bad time");
  record.time = *time;
  record.description = j.at("description").get<std::string>();
  for (const auto& [path, file] : j.at("files").items()) {
    if (!keptPath(path)) throw std::runtime_error("snapshot: unexpected file " + path);
    record.files[path] = {file.at(0).get<std::string>(), file.at(1).get<uint64_t>()};
  }
  if (!record.files.count(std::string(HistoryLayout::recordPath)))
    throw std::runtime_error("snapshot: no profile record");
  return record;
}

namespace HistoryLayout {
fs::path root(const fs::path& profileDir) { return profileDir / "history"; }
fs::path objects(const fs::path& profileDir) { return root(profileDir) / "objects"; }
fs::path snapshots(const fs::path& profileDir) { return root(profileDir) / "snapshots"; }
fs::path recordFile(const fs::path& profileDir, const std::string& id) {
  return snapshots(profileDir) / (id + ".json");
}
fs::path restoreJournal(const fs::path& profileDir) { return root(profileDir) / "restore.json"; }
fs::path configDir(const fs::path& profileDir) { return profileDir / "BepInEx" / "config"; }

std::vector<std::string> ids(const fs::path& profileDir) {
  std::vector<std::pair<int64_t, std::string>> found;
  std::error_code ec;
  for (fs::directory_iterator it(snapshots(profileDir), ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& p = it->path();
    if (p.extension() != ".json") continue;
    auto number = Text::parseInt64(p.stem().string());
    if (number && *number > 0 && std::to_string(*number) == p.stem().string())
      found.emplace_back(*number, p.stem().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> out;
  for (auto& [number, id] : found) out.push_back(std::move(id));
  return out;
}

std::vector<std::string> keptFiles(const fs::path& profileDir) {
  std::vector<std::string> out{std::string(recordPath)};
  const fs::path config = configDir(profileDir);
  std::error_code ec;
  for (fs::recursive_directory_iterator it(config, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError) && !it->is_symlink(typeError))
      out.push_back(std::string(configPrefix) + it->path().lexically_relative(config).generic_string());
  }
  std::sort(out.begin() + 1, out.end());
  return out;
}
}  // namespace HistoryLayout
