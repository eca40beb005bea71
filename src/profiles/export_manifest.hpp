#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/profile.hpp"

// The mod list of a profile archive ("export.r2x"), a small YAML document r2modman reads too.
// The loader pack's entry (LoaderPack::id) is listed first.
namespace ProfileStore {
struct ExportEntry {
  std::string name;  // "Owner-Name"
  int64_t numbers[3] = {0, 0, 0};
  bool enabled = true;

  std::string version() const;  // "major.minor.patch"
  bool operator==(const ExportEntry&) const = default;
};

struct ExportManifest {
  std::string profileName = "Imported";
  std::vector<ExportEntry> entries;
  bool operator==(const ExportManifest&) const = default;
};

// The loader pack first (its installed version, else the wanted one), then every mod.
std::string writeExportManifest(const Profile& profile);
// Reads the few keys that matter, line by line; anything else is ignored.
ExportManifest parseExportManifest(std::string_view text);
}  // namespace ProfileStore
