// Turning a "BepInEx" folder made by hand or by another tool into the profile "Default".

#include <system_error>

#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "foundation/text.hpp"
#include "installer/installer.hpp"
#include "installer/internal.hpp"
#include "installer/plan.hpp"
#include "profiles/profile_store.hpp"

namespace fs = std::filesystem;

namespace Installer {
namespace {
// One catalogue mod per plug-in folder that carries the old install's version marker.
void adoptMods(Profile& profile) {
  for (const auto& name : detail::entryNames(profile.bepinex() / "plugins")) {
    const fs::path entry = profile.bepinex() / "plugins" / name;
    auto versionText = detail::readUTF8(entry / ".ts_version");
    if (!versionText) continue;  // not a catalogue mod: carried over, but not listed
    const PackageID id = splitPackageID(name);
    const std::string version = std::string(Text::trim(*versionText));
    FS::remove(entry / ".ts_version");
    if (FS::exists(entry / ".ts_manifest.json")) {
      try {
        FS::move(entry / ".ts_manifest.json", profile.metaDir() / (name + ".json"));
      } catch (...) {
        // Without its manifest the mod just reports no dependencies.
      }
    }
    profile.mods.push_back({id.ns, id.name, version, version, true, true});
  }
}
}  // namespace

std::optional<Profile> migrateLegacyInstall(const path& gameDir) {
  const fs::path legacy = gameDir / "BepInEx";
  if (!FS::isDirectory(legacy) || FS::isSymlink(legacy)) return std::nullopt;

  Profile profile = ProfileStore::createDefault();
  FS::remove(profile.bepinex());
  FS::move(legacy, profile.bepinex());
  FS::mkdir(profile.metaDir());

  const fs::path packMarker = profile.bepinex() / ".pack_version";
  if (auto pack = detail::readUTF8(packMarker)) {
    profile.packVersion = profile.packInstalled = std::string(Text::trim(*pack));
    FS::remove(packMarker);
  }
  adoptMods(profile);
  // A mod another migrated mod depends on was pulled in, not chosen.
  Plan::markDependencies(profile, [&profile](const std::string& key) { return dependencies(key, profile); });
  ProfileStore::save(profile);
  Log::write("migrated existing install into profile 'Default' (" + std::to_string(profile.mods.size()) +
             " mods)");
  return profile;
}
}  // namespace Installer
