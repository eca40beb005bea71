// How a profile's mods and loader pack stand against the catalogue.
#include "app/app_state.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/package_id.hpp"
#include "installer/installer.hpp"
#include "installer/plan.hpp"

ModStatus AppState::status(const ProfileMod& mod, const Profile& profile) const {
  const ModStatus status =
      Plan::modStatus(mod, Installer::filesPresent(mod.id(), profile), catalogued(mod.ns, mod.name, profile));
  // A held mod shows no update: the player chose to stay.
  return status == ModStatus::UpdateAvailable && heldVersion(profile, mod.id()) ? ModStatus::UpToDate
                                                                                : status;
}

const TSPackage* AppState::catalogued(const std::string& ns, const std::string& name,
                                      const Profile& profile) const {
  return Installer::installedFromFile(packageKey(ns, name), profile) ? nullptr
                                                                     : catalogue_->package(ns, name);
}

ModStatus AppState::packStatus(const Profile& profile) const {
  return Plan::packStatus(profile, Installer::packPresent(profile),
                          catalogue_->package(std::string(LoaderPack::ns), std::string(LoaderPack::name)));
}

int AppState::needsInstall(const Profile& profile) const {
  int n = packStatus(profile) == ModStatus::NotInstalled ? 1 : 0;
  for (const ProfileMod& m : profile.mods) n += status(m, profile) == ModStatus::NotInstalled;
  return n;
}

int AppState::updateCount(const Profile& profile) const {
  int n = packStatus(profile) == ModStatus::UpdateAvailable ? 1 : 0;
  for (const ProfileMod& m : profile.mods) n += status(m, profile) == ModStatus::UpdateAvailable;
  return n;
}
