#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/config_file.hpp"

// One file of a profile's "BepInEx/config" folder that the settings editor offers.
struct ConfigFileInfo {
  std::filesystem::path path;
  std::string relative;  // inside the folder, with "/"
  std::string title;  // the plugin's name for a settings file, else `relative`
  bool settings = false;  // a ".cfg" file of the loader, edited setting by setting
  bool operator==(const ConfigFileInfo&) const = default;
};

// A setting that a search found.
struct ConfigMatch {
  size_t file;  // into the list searched
  ConfigEntry entry;
};

namespace ConfigFolder {
// The editable files in `folder` and its subfolders (settings files and .json, .yml, .yaml, .txt,
// .ini), by title regardless of case. A missing folder has none.
std::vector<ConfigFileInfo> list(const std::filesystem::path& folder);

// The settings of the list's settings files whose key or description holds `query`, regardless of
// case, in list order; at most `limit` of them. Files that cannot be read are passed over.
std::vector<ConfigMatch> search(const std::vector<ConfigFileInfo>& files, std::string_view query,
                                size_t limit);
}  // namespace ConfigFolder
