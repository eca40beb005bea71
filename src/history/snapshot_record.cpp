#include "history/snapshot_record.hpp"

#include <algorithm>
#include <stdexcept>

#include "foundation/text.hpp"

namespace fs = std::filesystem;

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

// A few lines of text, read far faster than JSON: the history reads every record when it prunes
// and when it lists. The last line tells a whole record from a cut one.
//   snapshot 1
//   time 2024-05-06T07:08:09Z
//   description Updated Jotunn 2.20.0 → 2.21.0
//   undo Update Jotunn              (absent in older records)
//   after                           (only in a state a change led to)
//   file <sha-256> <length> <path>   (one per file)
//   end
std::string encodeRecord(const SnapshotRecord& record) {
  std::string out =
      "snapshot 1\ntime " + Dates::iso8601(record.time) + "\ndescription " + record.description + "\n";
  if (!record.undo.empty()) out += "undo " + record.undo + "\n";
  if (record.after) out += "after\n";
  for (const auto& [path, file] : record.files)
    out += "file " + file.hash + " " + std::to_string(file.size) + " " + path + "\n";
  return out + "end\n";
}

SnapshotRecord decodeRecord(std::string_view text) {
  auto bad = [](const std::string& why) { return std::runtime_error("snapshot: " + why); };
  SnapshotRecord record;
  bool ended = false;
  size_t lineNumber = 0;
  for (size_t start = 0; start < text.size(); ++lineNumber) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos || ended) throw bad("cut short or run on");
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    const size_t space = line.find(' ');
    const std::string_view key = line.substr(0, space);
    const std::string_view value = space == std::string_view::npos ? "" : line.substr(space + 1);
    if (lineNumber == 0) {
      if (line != "snapshot 1") throw bad("not a snapshot record");
    } else if (key == "time") {
      const auto time = Dates::parseISO8601(value);
      if (!time) throw bad("bad time");
      record.time = *time;
    } else if (key == "description") {
      record.description = std::string(value);
    } else if (key == "undo") {
      record.undo = std::string(value);
    } else if (line == "after") {
      record.after = true;
    } else if (key == "file") {
      // <sha-256> <length> <path>; the hash names a file in the objects folder, so only hex digits.
      const size_t sizeEnd = value.size() > 66 ? value.find(' ', 66) : std::string_view::npos;
      if (sizeEnd == std::string_view::npos || value[64] != ' ') throw bad("bad file line");
      const std::string_view hash = value.substr(0, 64);
      const auto size = Text::parseInt64(value.substr(65, sizeEnd - 65));
      if (hash.find_first_not_of("0123456789abcdef") != std::string_view::npos || !size || *size < 0)
        throw bad("bad file line");
      const std::string path(value.substr(sizeEnd + 1));
      if (!keptPath(path)) throw bad("unexpected file " + path);
      record.files[path] = {std::string(hash), uint64_t(*size)};
    } else if (line == "end") {
      ended = true;
    }
  }
  if (!ended) throw bad("cut short");
  if (!record.files.count(std::string(HistoryLayout::recordPath))) throw bad("no profile record");
  return record;
}

namespace HistoryLayout {
fs::path root(const fs::path& profileDir) { return profileDir / "history"; }
fs::path objects(const fs::path& profileDir) { return root(profileDir) / "objects"; }
fs::path snapshots(const fs::path& profileDir) { return root(profileDir) / "snapshots"; }
fs::path recordFile(const fs::path& profileDir, const std::string& id) {
  return snapshots(profileDir) / (id + ".record");
}
fs::path restoreJournal(const fs::path& profileDir) { return root(profileDir) / "restore.record"; }
fs::path configDir(const fs::path& profileDir) { return profileDir / "BepInEx" / "config"; }

std::vector<std::string> ids(const fs::path& profileDir) {
  std::vector<std::pair<int64_t, std::string>> found;
  std::error_code ec;
  for (fs::directory_iterator it(snapshots(profileDir), ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& p = it->path();
    if (p.extension() != ".record") continue;
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
    if (!it->is_regular_file(typeError) || it->is_symlink(typeError)) continue;
    std::string path = std::string(configPrefix) + it->path().lexically_relative(config).generic_string();
    // A record keeps one path a line; a name with a line break is no loader's file.
    if (path.find_first_of("\n\r") == std::string::npos) out.push_back(std::move(path));
  }
  std::sort(out.begin() + 1, out.end());
  return out;
}
}  // namespace HistoryLayout
