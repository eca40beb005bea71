#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "foundation/date.hpp"

// Which build of the game Steam installed, and when it last updated it, as Steam's app manifest
// for the game says. The game's updates are what break mods most often.
struct GameBuild {
  std::optional<int64_t> buildID;  // Steam's number for the installed build
  std::optional<Date> lastUpdated;
  bool operator==(const GameBuild&) const = default;
};

namespace Installer {
// Steam keeps "appmanifest_<app id>.acf" in the "steamapps" folder of the library whose "common"
// folder holds the game; nullopt when the game folder is not in such a library (through links too).
std::optional<std::filesystem::path> appManifestFile(const std::filesystem::path& gameDir);
// What the manifest says; nullopt when it is missing, unreadable, for another app, or says neither.
std::optional<GameBuild> readGameBuild(const std::filesystem::path& gameDir) noexcept;
// The fields of a manifest's text. Each is left out when it is not a positive whole number.
GameBuild parseAppManifest(std::string_view text);
}  // namespace Installer
