// One mod's files inside a profile folder: install, remove, park and unpark.

#include <set>
#include <system_error>

#include "catalogue/thunderstore.hpp"
#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "foundation/scoped_dir.hpp"
#include "foundation/words.hpp"
#include "installer/installer.hpp"
#include "installer/internal.hpp"

namespace fs = std::filesystem;

namespace Installer {
namespace {
constexpr const char* kinds[] = {"plugins", "patchers"};

// Where a mod's files of one kind are while it is enabled, and while it is set aside.
fs::path live(const Profile& profile, const char* kind, const std::string& key) {
  return profile.bepinex() / kind / key;
}
fs::path parked(const Profile& profile, const char* kind, const std::string& key) {
  return profile.disabledDir() / kind / key;
}

// Puts what `from` holds (less `skip`) into the folder `to`. A folder that is not there yet gets
// the entries renamed into it, which costs nothing when the work folder and the profile share a
// volume; otherwise they are merged in as copies.
void putContents(const fs::path& from, const fs::path& to, const std::set<std::string>& skip = {}) {
  if (FS::exists(to)) return FS::copyContents(from, to, true, skip);
  FS::mkdir(to);
  for (const fs::directory_entry& entry : fs::directory_iterator(from))
    if (!skip.count(entry.path().filename().string())) FS::move(entry.path(), to / entry.path().filename());
}

// Places the unpacked archive X in the profile, normalising the layouts mods ship in.
void placeContents(const fs::path& X, const Profile& profile, const std::string& key) {
  const fs::path R = FS::isDirectory(X / "BepInEx") ? X / "BepInEx" : X;
  const fs::path plugins = live(profile, "plugins", key);
  const bool hasPlugins = FS::isDirectory(R / "plugins");
  const bool hasConfig = FS::isDirectory(R / "config");
  const bool hasPatchers = FS::isDirectory(R / "patchers");

  if (!hasPlugins && !hasConfig && !hasPatchers) {
    // The whole archive is the plug-in, less the package's own catalogue files.
    putContents(X, plugins, {"manifest.json", "icon.png", "README.md", "CHANGELOG.md"});
    return;
  }
  // Every installed mod gets a plug-in folder: that is how its presence is told.
  if (hasPlugins)
    putContents(R / "plugins", plugins);
  else
    FS::mkdir(plugins);
  // Configuration is shared and may be edited by the user: only missing files are added.
  if (hasConfig) FS::copyContents(R / "config", profile.bepinex() / "config", false);
  if (hasPatchers) putContents(R / "patchers", live(profile, "patchers", key));
}
}  // namespace

std::vector<DependencyRef> installMod(const ProfileMod& mod, const std::string& version,
                                      const Profile& profile, const Progress& progress) {
  return installUnpacked(mod, version, unpackMod(mod.ns, mod.name, version, progress), profile);
}

path unpackMod(const std::string& ns, const std::string& name, const std::string& version,
               const Progress& progress) {
  ScopedDir T;
  detail::unpackArchive(detail::archiveName(ns, name, version), Thunderstore::downloadURL(ns, name, version),
                        *T / (packageKey(ns, name) + ".zip"), *T / "x", progress);
  return T.keep();
}

std::vector<DependencyRef> installUnpacked(const ProfileMod& mod, const std::string& version,
                                           const path& unpacked, const Profile& profile) {
  const ScopedDir T(unpacked);
  const std::string key = mod.id();
  Log::write("installing " + key + " " + version + " into profile '" + profile.name + "'");
  detail::placeMod(*T / "x", key, profile, mod.enabled);
  return dependencies(key, profile);
}

namespace detail {
void placeMod(const fs::path& X, const std::string& key, const Profile& profile, bool enabled) {
  std::error_code ec;
  if (auto size = fs::file_size(X / "manifest.json", ec); !ec && size > maxManifestBytes)
    throw AppError(Words::fill(
        Words::translate("Installer", "Couldn’t install %1 because its manifest is too large."), {key}));

  // Old files go first, so an upgrade never mixes two versions.
  removeFiles(key, profile, false);
  placeContents(X, profile, key);

  FS::mkdir(profile.metaDir());
  if (FS::exists(X / "manifest.json")) {
    std::error_code ignored;  // without its manifest the mod simply reports no dependencies
    fs::copy_file(X / "manifest.json", profile.metaDir() / (key + ".json"),
                  fs::copy_options::overwrite_existing, ignored);
  }
  if (!enabled) setEnabled(key, false, profile);
}
}  // namespace detail

void removeFiles(const std::string& key, const Profile& profile, bool keepMeta) noexcept {
  for (const char* kind : kinds) {
    FS::remove(live(profile, kind, key));
    FS::remove(parked(profile, kind, key));
  }
  if (keepMeta) return;
  FS::remove(profile.metaDir() / (key + ".json"));
  FS::remove(detail::keptArchive(key, profile));
}

void setEnabled(const std::string& key, bool enabled, const Profile& profile) {
  std::vector<std::pair<fs::path, fs::path>> moved;
  for (const char* kind : kinds) {
    const fs::path on = live(profile, kind, key), off = parked(profile, kind, key);
    const fs::path& from = enabled ? off : on;
    const fs::path& to = enabled ? on : off;
    if (!FS::exists(from)) continue;
    try {
      FS::move(from, to);
      moved.emplace_back(from, to);
    } catch (...) {
      // Half a mod turned off is worse than none.
      for (auto it = moved.rbegin(); it != moved.rend(); ++it) {
        try {
          FS::move(it->second, it->first);
        } catch (const std::exception& e) {
          Log::write("couldn't move " + it->second.string() + " back: " + e.what());
        }
      }
      throw;
    }
  }
}

bool filesPresent(const std::string& key, const Profile& profile) noexcept {
  return FS::exists(live(profile, "plugins", key)) || FS::exists(parked(profile, "plugins", key));
}
}  // namespace Installer
