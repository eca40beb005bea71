#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/holds.hpp"
#include "profiles/profile.hpp"

// The mod list of a profile archive ("export.r2x"), a small YAML document r2modman reads too.
// The loader pack's entry (LoaderPack::id) is listed first. Held mods follow as the list
// "ignoredUpdates", their names only: a mod is held at the version its entry gives.
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
  std::vector<std::string> ignoredUpdates;  // names of entries whose updates are held back
  bool operator==(const ExportManifest&) const = default;
};

// The loader pack first (its installed version, else the wanted one), then every mod, then the
// holds of mods the list names (none: no "ignoredUpdates" line at all).
std::string writeExportManifest(const Profile& profile, const HeldVersions& holds = {});
// Reads the few keys that matter, line by line; anything else is ignored.
ExportManifest parseExportManifest(std::string_view text);
// The holds a manifest carries: each held name that has an entry, at that entry's version.
HeldVersions heldVersions(const ExportManifest& manifest);
}  // namespace ProfileStore
