#pragma once

// Helpers shared by the installer's source files; not part of its interface.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/http.hpp"
#include "foundation/shell.hpp"
#include "profiles/profile.hpp"

namespace Installer::detail {
using std::filesystem::path;

// What a running game's command line holds, whichever build and however it was started.
inline constexpr std::string_view gameProcess = "valheim.app/Contents/MacOS";
// A mod's manifest.json is a few hundred bytes; a larger one than this is not read.
inline constexpr size_t maxManifestBytes = 1 << 20;

// The file's bytes when it can be read and is valid UTF-8; nullopt otherwise.
std::optional<std::string> readUTF8(const path& p);
// Runs a system tool; nullopt when it cannot be started (probes treat that as "no").
std::optional<Shell::Result> tryRun(const path& program, const std::vector<std::string>& args) noexcept;
// The names of the entries directly in `folder`; empty when it cannot be listed.
std::vector<std::string> entryNames(const path& folder);

// The archive `name` from the download cache, or downloaded from `url`, unpacked into `to`
// under the name of `workFile` (a file in the caller's work folder, which the unpack's messages
// name). A cached archive that cannot be unpacked is replaced by a fresh download; only complete
// downloads are ever unpacked.
void unpackArchive(const std::string& name, const std::string& url, const path& workFile, const path& to,
                   const Http::Progress& progress);
// Puts the unpacked archive `X` of the mod `key` into the profile, replacing its old files, and
// keeps its manifest; the files are set aside when the mod is disabled.
void placeMod(const path& X, const std::string& key, const Profile& profile, bool enabled);
// Where a profile keeps the archive of a mod installed from a file, to install it again from.
path keptArchive(const std::string& key, const Profile& profile);
// A manifest's bytes as UTF-8 text: written with or without a byte-order mark, or as UTF-16 with one.
std::string manifestText(std::string bytes);
// The download cache's name of a package version's archive.
std::string archiveName(const std::string& ns, const std::string& name, const std::string& version);
}  // namespace Installer::detail
