#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "profiles/profile.hpp"

namespace History {

// A mod whose entry differs between two states. `before` is absent for a mod added since,
// `after` for one removed since.
struct ModChange {
  std::optional<ProfileMod> before, after;

  std::string key() const { return (after ? after : before)->id(); }
  bool added() const { return !before; }
  bool removed() const { return !after; }
  bool versionChanged() const { return before && after && before->version != after->version; }
  bool enabledChanged() const { return before && after && before->enabled != after->enabled; }
  bool operator==(const ModChange&) const = default;
};

// The loader pack's wanted version, when it differs.
struct PackChange {
  std::optional<std::string> before, after;
  bool operator==(const PackChange&) const = default;
};

// One setting of a settings file (".cfg"); a side is absent where the file lacks the setting.
struct SettingChange {
  std::string section, key;
  std::optional<std::string> before, after;
  bool operator==(const SettingChange&) const = default;
};

struct ConfigFileChange {
  enum class Kind { added, removed, changed };
  std::string path;  // inside the config folder, with "/"
  Kind kind = Kind::changed;
  std::vector<SettingChange> settings;  // a changed settings file's changed settings, in file order
  bool operator==(const ConfigFileChange&) const = default;
};

// What the History sheet shows in a row: the loader pack counts as a mod.
struct DiffCounts {
  size_t mods = 0, configFiles = 0;
  bool operator==(const DiffCounts&) const = default;
};

struct ProfileDiff {
  std::vector<ModChange> mods;  // in the later state's order, then the removed ones
  std::optional<PackChange> pack;
  std::vector<ConfigFileChange> configFiles;  // by path

  DiffCounts counts() const { return {mods.size() + (pack ? 1 : 0), configFiles.size()}; }
  bool operator==(const ProfileDiff&) const = default;
};

// The mod entries and the pack of two records; only the wanted version and the enabled state count.
std::vector<ModChange> modChanges(const Profile& before, const Profile& after);
std::optional<PackChange> packChange(const Profile& before, const Profile& after);
// The settings that differ between two versions of a settings file, in the later file's order, then
// the removed ones by section and key.
std::vector<SettingChange> settingChanges(std::string_view before, std::string_view after);
}  // namespace History
