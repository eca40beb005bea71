// How a profile's mods and loader pack stand against the catalogue.
#include "app/app_state.hpp"
#include "foundation/fs.hpp"
#include "foundation/package_id.hpp"
#include "installer/installer.hpp"

namespace {
const std::string packNS(Installer::packNS);
const std::string packName(Installer::packName);

// Installed mods compare their installed version with the catalogue's latest, when it knows them.
ModStatus compared(const TSPackage* pkg, const std::string& installed) {
  if (!pkg) return ModStatus::installed;
  return Version::newer(pkg->latest, installed) ? ModStatus::update : ModStatus::upToDate;
}
}  // namespace

ModStatus AppState::status(const ProfileMod& mod, const Profile& profile) const {
  // The wanted version plays no part: a mod shows by what is installed.
  if (!mod.installed || !Installer::filesPresent(mod.id(), profile)) return ModStatus::notInstalled;
  return compared(package(mod.ns, mod.name), *mod.installed);
}

ModStatus AppState::packStatus(const Profile& profile) const {
  if (!FS::exists(profile.bepinex() / "core" / "BepInEx.Preloader.dll") || !profile.packInstalled)
    return ModStatus::notInstalled;
  return compared(package(packNS, packName), *profile.packInstalled);
}

int AppState::needsInstall(const Profile& profile) const {
  int n = packStatus(profile) == ModStatus::notInstalled ? 1 : 0;
  for (const ProfileMod& m : profile.mods) n += status(m, profile) == ModStatus::notInstalled;
  return n;
}

int AppState::updateCount(const Profile& profile) const {
  int n = packStatus(profile) == ModStatus::update ? 1 : 0;
  for (const ProfileMod& m : profile.mods) n += status(m, profile) == ModStatus::update;
  return n;
}
