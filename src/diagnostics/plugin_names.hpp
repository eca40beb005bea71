#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "diagnostics/launch_report.hpp"
#include "diagnostics/mod_clues.hpp"

namespace Diagnostics {

// Which plug-in a name in the log means: a logger's name, a message's tag, a stack frame's
// namespace, a DLL's name. The log's own "Loading [..]" lines come first, then the profile's mods.
// Of a dotted name, the deepest part that names a plug-in wins: "Finder" of
// "Author.Finder.Patches", "Jotunn" of "Jotunn.Managers.GUIManager".
class PluginNames {
 public:
  struct Match {
    std::string plugin;  // the display name the log gave it, else its mod's package name
    std::optional<std::string> mod;
    std::optional<size_t> entry;  // its place among the report's plug-ins
  };

  // A plug-in the log starts, at `entry` of the report's plug-ins.
  void loading(std::string_view name, size_t entry);
  void clear();

  std::optional<Match> resolve(std::string_view name, const std::vector<PluginEntry>& plugins,
                               const ModClues& clues) const;

 private:
  // What a name was found to be: a plug-in of the log, or a mod of the profile.
  struct Found {
    std::optional<size_t> entry;
    std::optional<std::string> mod;
  };
  Found find(std::string_view name, const ModClues& clues) const;
  std::optional<size_t> loaded(std::string_view name) const;

  std::unordered_map<std::string, size_t> loaded_;  // by the name without spaces, dots, "_" or "-"
  mutable std::unordered_map<std::string, Found> found_;
};
}  // namespace Diagnostics
