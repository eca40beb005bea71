// How a profile's mods and loader pack stand against the catalogue, and the holds that change it.
#include "app/mod_statuses.hpp"

#include <algorithm>

#include "app/catalogue_state.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/package_id.hpp"
#include "installer/installer.hpp"
#include "installer/profile_files.hpp"
#include "profiles/profile_store.hpp"

ModStatuses::ModStatuses(CatalogueState* catalogue, QObject* parent)
    : QObject(parent), catalogue_(catalogue) {}

ModStatus ModStatuses::status(const ProfileMod& mod, const Profile& profile,
                              const Installer::ProfileFiles& files) const {
  const std::string key = mod.id();
  const ModStatus status = Plan::modStatus(
      mod, files.present(key), files.fromFile(key) ? nullptr : catalogue_->package(mod.ns, mod.name));
  // A held mod shows no update: the player chose to stay.
  return status == ModStatus::UpdateAvailable && heldVersion(profile, key) ? ModStatus::UpToDate : status;
}

const TSPackage* ModStatuses::catalogued(const std::string& ns, const std::string& name,
                                         const Profile& profile) const {
  return Installer::installedFromFile(packageKey(ns, name), profile) ? nullptr
                                                                     : catalogue_->package(ns, name);
}

ModStatus ModStatuses::packStatus(const Profile& profile) const {
  return Plan::packStatus(profile, Installer::packPresent(profile),
                          catalogue_->package(std::string(LoaderPack::ns), std::string(LoaderPack::name)));
}

int ModStatuses::updateCount(const Profile& profile) const {
  int n = packStatus(profile) == ModStatus::UpdateAvailable ? 1 : 0;
  const auto files = Installer::ProfileFiles::read(profile);
  for (const ProfileMod& m : profile.mods) n += status(m, profile, files) == ModStatus::UpdateAvailable;
  return n;
}

std::vector<DependencyRef> ModStatuses::needs(const ProfileMod& mod, const Profile& profile) {
  auto [it, added] = manifests_.try_emplace({profile.id, mod.id()});
  if (added || it->second.installed != mod.installed)
    it->second = {mod.installed, Installer::dependencies(mod.id(), profile)};
  return it->second.needs;
}

bool ModStatuses::obtainable(const Profile& profile, const std::string& key,
                             const std::string& version) const {
  const PackageID id = splitPackageID(key);
  if (Installer::archiveCached(id.ns, id.name, version) || Installer::installedFromFile(key, profile))
    return true;
  if (catalogue_->index().empty()) return true;  // not known yet: the sync says what it cannot find
  const TSPackage* pkg = catalogue_->package(id.ns, id.name);
  return pkg && std::find(pkg->versions.begin(), pkg->versions.end(), version) != pkg->versions.end();
}

std::optional<std::string> ModStatuses::heldVersion(const Profile& profile, const std::string& key) const {
  const auto holds = holds_.find(profile.id);
  if (holds == holds_.end()) return std::nullopt;
  const auto held = holds->second.find(key);
  return held == holds->second.end() ? std::nullopt : std::optional(held->second);
}

int ModStatuses::heldUpdateCount(const Profile& profile) const {
  int n = 0;
  for (const ProfileMod& m : profile.mods) {
    const auto held = heldVersion(profile, m.id());
    const TSPackage* pkg = held ? catalogued(m.ns, m.name, profile) : nullptr;
    n += pkg && Version::newer(pkg->latest, *held);
  }
  return n;
}

HeldVersions ModStatuses::holds(const std::string& profileID) const {
  const auto found = holds_.find(profileID);
  return found == holds_.end() ? HeldVersions() : found->second;
}

void ModStatuses::loadHolds(const Profile& profile) { holds_[profile.id] = ProfileStore::loadHolds(profile); }

void ModStatuses::setHolds(const Profile& profile, HeldVersions holds) {
  ProfileStore::saveHolds(profile, holds);
  holds_[profile.id] = std::move(holds);
  emit holdsChanged();
}

void ModStatuses::forget(const std::string& profileID) {
  holds_.erase(profileID);
  std::erase_if(manifests_, [&](const auto& entry) { return entry.first.first == profileID; });
}
