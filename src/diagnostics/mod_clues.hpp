#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/profile.hpp"

namespace Diagnostics {

// What a profile's files say about which installed mod a name in the log belongs to: the mods'
// package names, the DLL files in their plug-in folders (live or turned off) and the plug-in names
// and GUIDs its settings files were created by. Names compare without spaces, "_" and "-",
// regardless of case. A name that fits two mods ties to neither: the report never guesses.
class ModClues {
 public:
  // Reads the profile folder's plug-in folders and the first lines of its settings files.
  static ModClues gather(const Profile& profile, const std::filesystem::path& folder);

  // The pieces gather finds, for tests and for callers that know them already.
  void addMod(const std::string& key, std::string_view packageName, std::string_view version = {});
  void addDll(const std::string& key, const std::filesystem::path& file);
  void addSettingsFile(std::string_view guid, std::string_view pluginName);

  // A plug-in's display name or logger name ("Configuration Manager").
  std::optional<std::string> byName(std::string_view name) const;
  // One of several copies of a plug-in: among the mods its name fits, the one whose package
  // version is `version` or whose DLL holds it as text; none unless exactly one does.
  std::optional<std::string> byNameAndVersion(std::string_view name, std::string_view version) const;
  // The package name of a mod's key ("Jotunn" of "ValheimModding-Jotunn").
  std::optional<std::string> packageName(const std::string& key) const;
  // A namespace from a stack frame ("Jotunn.Managers"): its longest leading part that names one mod.
  std::optional<std::string> byNamespace(std::string_view ns) const;
  // A DLL's path or file name: the mod folder it sits in, else the mod that holds a DLL of that name.
  std::optional<std::string> byDll(std::string_view path) const;
  // A plug-in GUID: by the settings file made under that GUID, else by the mods' DLLs that hold it.
  std::optional<std::string> byGuid(std::string_view guid) const;

  bool empty() const { return keys_.empty(); }

 private:
  // Mods among `keys` whose DLLs hold `text` as an attribute's argument.
  std::set<std::string> holding(std::string_view text, const std::set<std::string>& keys) const;
  std::optional<std::string> only(const std::map<std::string, std::set<std::string>>& map,
                                  const std::string& normalName) const;
  std::set<std::string> keys_;
  std::map<std::string, std::set<std::string>> names_, dlls_;  // by normalised name
  std::map<std::string, std::string> guidNames_;  // plug-in GUID → display name
  std::map<std::string, std::pair<std::string, std::string>> packages_;  // key → package name, version
  std::vector<std::pair<std::string, std::filesystem::path>> dllFiles_;  // key, file
  mutable std::map<std::string, std::optional<std::string>, std::less<>> guidsFound_;
};

// A name as the log and the catalogue spell it differently: lower case, no spaces, "_" or "-".
std::string normalName(std::string_view name);
// A DLL's file name without ".dll", from a path written with either separator.
std::string_view dllStem(std::string_view path);
}  // namespace Diagnostics
