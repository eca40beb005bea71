// A profile archive's mod list ("export.r2x"): what an import reads from it, exported again and
// imported again, is what the first import read.
#include <optional>
#include <string>

#include "foundation/loader_pack.hpp"
#include "fuzz_check.hpp"
#include "profiles/export_manifest.hpp"

using ProfileStore::ExportManifest;

namespace {
// The profile an import makes of a mod list; nothing when a mod's id names no owner.
std::optional<Profile> imported(const ExportManifest& manifest) {
  Profile profile{"id", manifest.profileName, distantPast, std::nullopt, std::nullopt, {}};
  for (const auto& entry : manifest.entries) {
    if (entry.name == LoaderPack::id) {
      profile.packVersion = entry.version();
      continue;
    }
    auto dash = entry.name.find('-');
    if (dash == std::string::npos) return std::nullopt;
    profile.mods.push_back({entry.name.substr(0, dash), entry.name.substr(dash + 1), entry.version(),
                            std::nullopt, entry.enabled, true});
  }
  return profile;
}
}  // namespace

FUZZ_TARGET(text) {
  const ExportManifest first = ProfileStore::parseExportManifest(text);
  const auto profile = imported(first);
  if (!profile) return;
  const std::string written = ProfileStore::writeExportManifest(*profile);
  const auto again = imported(ProfileStore::parseExportManifest(written));
  FUZZ_CHECK(again && *again == *profile, "import -> export -> import is stable");
  FUZZ_CHECK(ProfileStore::writeExportManifest(*again) == written, "export is a fixed point");
}
