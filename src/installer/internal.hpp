#pragma once

// Helpers shared by the installer's source files; not part of its interface.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/shell.hpp"

namespace Installer::detail {
using std::filesystem::path;

// A mod's manifest.json is a few hundred bytes; a larger one than this is not read.
inline constexpr size_t maxManifestBytes = 1 << 20;

// The file's bytes when it can be read and is valid UTF-8; nullopt otherwise.
std::optional<std::string> readUTF8(const path& p);
// Runs a system tool; nullopt when it cannot be started (probes treat that as "no").
std::optional<Shell::Result> tryRun(const path& program, const std::vector<std::string>& args) noexcept;
// The names of the entries directly in `folder`; empty when it cannot be listed.
std::vector<std::string> entryNames(const path& folder);
}  // namespace Installer::detail
