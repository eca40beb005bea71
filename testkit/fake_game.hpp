#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "testkit/zip_builder.hpp"

// A Steam install of the game, the loader's release archive and the loader pack, shaped like the
// real ones, for installer and app tests.
namespace FakeGame {
// What the fake "file" tool reports for the game's executable (see fake_tools.hpp).
inline constexpr const char* universalBinary =
    "Mach-O universal binary with 2 architectures: [x86_64:Mach-O 64-bit executable x86_64] "
    "[arm64:Mach-O 64-bit executable arm64]";
inline constexpr const char* armOnlyBinary = "Mach-O 64-bit executable arm64";

// Makes `gameDir` holding valheim.app/Contents/MacOS/valheim with `executable` as its bytes.
void make(const std::filesystem::path& gameDir, const std::string& executable = universalBinary);
// Puts the loader's files in the game folder as ensureLoader leaves them (script not yet edited).
void addLoader(const std::filesystem::path& gameDir);

// The macOS loader release: run_bepinex.sh, libdoorstop.dylib, .doorstop_version, changelog.txt
// and BepInEx/core at its root.
std::vector<ZipEntry> loaderArchive();
// The catalogue's loader pack: everything under BepInExPack_Valheim/ (BepInEx/core,
// BepInEx/config/BepInEx.cfg, unstripped_corlib, doorstop files). `coreVersion` marks the core files.
std::vector<ZipEntry> packArchive(const std::string& coreVersion = "5.4.2202");

// Steam's app manifest of the game as Steam writes it (tabs, nested depot and config blocks), with
// these texts as "buildid" and "LastUpdated" (Unix seconds).
inline constexpr const char* defaultBuildID = "14862538";
inline constexpr const char* defaultLastUpdated = "1700000000";  // 2023-11-14T22:13:20Z
std::string appManifest(const std::string& buildID = defaultBuildID,
                        const std::string& lastUpdated = defaultLastUpdated);
// Writes it beside a game folder in a Steam library, as "<library>/steamapps/appmanifest_892970.acf".
// make() writes one with the values above when the folder is in a library.
void writeAppManifest(const std::filesystem::path& gameDir, const std::string& buildID = defaultBuildID,
                      const std::string& lastUpdated = defaultLastUpdated);

// Writes Steam's registry.vdf under Paths::steamDir() with this ActiveUser value.
void writeSteamRegistry(const std::string& activeUser);
}  // namespace FakeGame
