#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/date.hpp"
#include "foundation/package_id.hpp"

// One mod of a profile: the version it wants and the version whose files are installed.
struct ProfileMod {
  std::string ns, name, version;
  std::optional<std::string> installed;
  bool enabled = true;
  bool isExplicit = true;  // false when present only because another mod needs it

  std::string id() const { return packageKey(ns, name); }
  std::string displayName() const;
  bool operator==(const ProfileMod&) const = default;
};

// A named, self-contained set of mods with its own folder under Paths::profiles().
struct Profile {
  std::string id;  // upper-case UUID; also the folder name
  std::string name;
  Date created = distantPast;
  std::optional<std::string> packVersion, packInstalled;
  std::vector<ProfileMod> mods;

  std::filesystem::path dir() const;
  std::filesystem::path bepinex() const;
  std::filesystem::path disabledDir() const;
  std::filesystem::path metaDir() const;
  // The mod with this key ("Owner-Name"), or null when the profile does not hold it.
  const ProfileMod* find(std::string_view key) const;
  ProfileMod* find(std::string_view key);
  bool operator==(const Profile&) const = default;
};

struct Settings {
  std::optional<std::string> gameDir, activeProfile;
  bool operator==(const Settings&) const = default;
};
