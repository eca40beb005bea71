#include "installer/plan.hpp"

#include <algorithm>

#include "foundation/loader_pack.hpp"
#include "foundation/package_id.hpp"

namespace Plan {
namespace {
// Installed things compare their installed version with the catalogue's latest, when it knows them.
ModStatus compared(const TSPackage* package, const std::string& installed) {
  if (!package) return ModStatus::Installed;
  return Version::newer(package->latest, installed) ? ModStatus::UpdateAvailable : ModStatus::UpToDate;
}
}  // namespace

std::vector<std::string> nextWave(const Profile& profile, const std::vector<std::string>& candidates,
                                  std::set<std::string>& seen) {
  std::vector<std::string> wave;
  for (const std::string& key : candidates)
    if (!seen.count(key) && profile.find(key)) {
      seen.insert(key);
      wave.push_back(key);
    }
  return wave;
}

std::vector<std::string> firstWave(const Profile& profile, std::set<std::string>& seen) {
  std::vector<std::string> own;
  for (const ProfileMod& m : profile.mods) own.push_back(m.id());
  return nextWave(profile, own, seen);
}

std::vector<std::string> keys(const std::vector<DependencyRef>& needs) {
  std::vector<std::string> result;
  for (const DependencyRef& d : needs) result.push_back(d.id());
  return result;
}

bool needsInstall(const ProfileMod& mod, bool filesPresent) {
  return !mod.installed || *mod.installed != mod.version || !filesPresent;
}

bool packNeedsInstall(const Profile& profile, ModStatus pack) {
  return pack == ModStatus::NotInstalled || profile.packVersion != profile.packInstalled;
}

std::vector<DependencyRef> missing(const Profile& profile, const std::vector<DependencyRef>& needs) {
  std::vector<DependencyRef> result;
  for (const DependencyRef& d : needs)
    if (!profile.find(d.id()) && std::find(result.begin(), result.end(), d) == result.end())
      result.push_back(d);
  return result;
}

ProfileMod dependencyMod(const DependencyRef& dependency, const std::string& version) {
  return ProfileMod{dependency.ns, dependency.name, version, std::nullopt, true, false};
}

void markDependencies(Profile& profile, const Needs& needs) {
  std::set<std::string> needed;
  for (const ProfileMod& m : profile.mods)
    for (const DependencyRef& d : needs(m.id())) needed.insert(d.id());
  for (ProfileMod& m : profile.mods)
    if (needed.count(m.id())) m.isExplicit = false;
}

std::vector<ProfileMod> dependents(const Profile& profile, const std::string& key, const Needs& needs) {
  std::vector<ProfileMod> result;
  for (const ProfileMod& other : profile.mods) {
    if (other.id() == key) continue;
    const auto deps = needs(other.id());
    if (std::any_of(deps.begin(), deps.end(), [&](const DependencyRef& d) { return d.id() == key; }))
      result.push_back(other);
  }
  return result;
}

std::vector<ProfileMod> neededBy(const Profile& profile, const std::string& key, const Needs& needs) {
  std::set<std::string> found;
  std::vector<std::string> stack{key};
  while (!stack.empty()) {
    const std::string next = std::move(stack.back());
    stack.pop_back();
    for (const ProfileMod& other : dependents(profile, next, needs))
      if (other.id() != key && found.insert(other.id()).second) stack.push_back(other.id());
  }
  std::vector<ProfileMod> result;
  for (const ProfileMod& m : profile.mods)
    if (found.count(m.id())) result.push_back(m);
  return result;
}

std::set<std::string> stillNeeded(const Profile& profile, const Needs& needs) {
  std::set<std::string> needed;
  std::vector<std::string> stack;
  for (const ProfileMod& m : profile.mods)
    if (m.isExplicit && needed.insert(m.id()).second) stack.push_back(m.id());
  while (!stack.empty()) {
    const std::string next = std::move(stack.back());
    stack.pop_back();
    for (const DependencyRef& d : needs(next))
      if (needed.insert(d.id()).second) stack.push_back(d.id());
  }
  return needed;
}

bool unused(const ProfileMod& mod, const std::set<std::string>& stillNeeded) {
  return !mod.isExplicit && !stillNeeded.count(mod.id());
}

ModStatus modStatus(const ProfileMod& mod, bool filesPresent, const TSPackage* package) {
  if (!mod.installed || !filesPresent) return ModStatus::NotInstalled;
  return compared(package, *mod.installed);
}

ModStatus packStatus(const Profile& profile, bool filesPresent, const TSPackage* package) {
  if (!filesPresent || !profile.packInstalled) return ModStatus::NotInstalled;
  return compared(package, *profile.packInstalled);
}

void takeUpdates(Profile& profile, const Lookup& lookup, ModStatus pack) {
  for (ProfileMod& m : profile.mods) {
    const TSPackage* package = lookup(m.ns, m.name);
    if (package && m.installed && Version::newer(package->latest, *m.installed)) m.version = package->latest;
  }
  if (pack != ModStatus::UpdateAvailable) return;
  const TSPackage* package = lookup(std::string(LoaderPack::ns), std::string(LoaderPack::name));
  profile.packVersion = package ? std::optional(package->latest) : std::nullopt;
}
}  // namespace Plan
