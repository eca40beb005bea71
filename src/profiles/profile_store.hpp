#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/holds.hpp"
#include "profiles/profile.hpp"

// Loads and saves profiles and settings; keeps no state between calls.
namespace ProfileStore {
std::vector<Profile> loadAll();  // unreadable profiles are skipped; sorted by creation
void save(const Profile& profile);
Profile create(const std::string& name);
// The profile made when there is none, and the one a hand-made loader folder moves into.
Profile createDefault();
// Copies the folder but not its history: the copy starts a history of its own.
Profile duplicate(const Profile& profile, const std::string& name);
void deleteProfile(const Profile& profile) noexcept;
Settings loadSettings();  // falls back to the legacy "game_dir" file
void saveSettings(const Settings& settings) noexcept;

// JSON forms, exposed for tests and tools.
std::string encodeProfile(const Profile& profile);
Profile decodeProfile(std::string_view json);  // throws when a required key is missing
std::string encodeSettings(const Settings& settings);
Settings decodeSettings(std::string_view json);  // throws when it is not a settings object

// What a profile archive holds once read.
struct ImportedMod {
  std::string id, version;
  bool enabled = true;
  bool operator==(const ImportedMod&) const = default;
};
struct ImportedProfile {
  std::string name;
  std::optional<std::string> pack;
  std::vector<ImportedMod> mods;
  std::optional<std::filesystem::path> configDir;
  std::filesystem::path tempDir;  // the caller removes it
  HeldVersions holds;  // the manifest's held mods; the importer saves them with saveHolds
  // Held entries that name no mod of the list: other managers name a held mod by its catalogue id
  // (TSPackage::uuid), which only the catalogue can turn into a mod.
  std::vector<std::string> heldIDs;
};

// The archive bytes; the profile's holds (read from its folder) travel in the mod list.
std::string exportZip(const Profile& profile);
ImportedProfile readExport(std::string_view data);
}  // namespace ProfileStore
