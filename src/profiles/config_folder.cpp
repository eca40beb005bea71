// The files of a profile's configuration folder, and a search through their settings.
#include "profiles/config_folder.hpp"

#include <algorithm>
#include <fstream>
#include <set>
#include <system_error>

namespace ConfigFolder {
namespace {
namespace fs = std::filesystem;

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = char(std::tolower((unsigned char)c));
  return out;
}

bool textFile(const std::string& ext) {
  static const std::set<std::string> exts = {".json", ".yml", ".yaml", ".txt", ".ini"};
  return exts.count(ext) > 0;
}

// The plugin's name from the file's first lines; the whole file is not needed for it.
std::optional<std::string> pluginName(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string head(4096, '\0');
  in.read(head.data(), std::streamsize(head.size()));
  head.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
  return configPluginName(head);
}
}  // namespace

std::vector<ConfigFileInfo> list(const fs::path& folder) {
  std::vector<ConfigFileInfo> files;
  std::error_code ec;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const fs::path& p = it->path();
    std::string name = p.filename().string();
    // Hidden files include the temporaries of a save in progress.
    if (name.starts_with('.')) {
      if (it->is_directory(ec)) it.disable_recursion_pending();
      continue;
    }
    if (!it->is_regular_file(ec)) continue;
    std::string ext = lower(p.extension().string());
    bool settings = ext == ".cfg";
    if (!settings && !textFile(ext)) continue;
    ConfigFileInfo info{p, p.lexically_relative(folder).generic_string(), {}, settings};
    info.title = settings ? pluginName(p).value_or(info.relative) : info.relative;
    files.push_back(std::move(info));
  }
  std::vector<std::pair<std::string, size_t>> keys;
  for (size_t i = 0; i < files.size(); ++i)
    keys.emplace_back(lower(files[i].title) + '\0' + files[i].relative, i);
  std::sort(keys.begin(), keys.end());
  std::vector<ConfigFileInfo> sorted;
  sorted.reserve(files.size());
  for (auto& [key, i] : keys) sorted.push_back(std::move(files[i]));
  return sorted;
}

std::vector<ConfigMatch> search(const std::vector<ConfigFileInfo>& files, std::string_view query,
                                size_t limit) {
  std::vector<ConfigMatch> found;
  std::string needle = lower(configTrim(query));
  if (needle.empty()) return found;
  for (size_t i = 0; i < files.size() && found.size() < limit; ++i) {
    if (!files[i].settings) continue;
    std::optional<ConfigFile> file;
    try {
      file = ConfigFile::read(files[i].path);
    } catch (const std::exception&) {
      continue;  // it says why when it is opened
    }
    for (const ConfigEntry& e : file->entries()) {
      if (found.size() >= limit) break;
      if (lower(e.key).find(needle) != std::string::npos ||
          lower(e.description).find(needle) != std::string::npos)
        found.push_back({i, e});
    }
  }
  return found;
}
}  // namespace ConfigFolder
