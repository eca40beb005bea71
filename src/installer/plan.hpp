#pragma once

// The rules of what a profile holds, as plain functions over the profile and the catalogue: the
// order a sync works in, which mods are dependencies, what a removal leaves behind and how a mod
// stands against the catalogue. They touch no files; callers pass in what the files say.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "catalogue/package.hpp"
#include "installer/dependency.hpp"
#include "profiles/profile.hpp"

// How a mod or the loader pack stands against the catalogue (the views read it as a number).
enum class ModStatus { NotInstalled, UpToDate, UpdateAvailable, Installed };

namespace Plan {
// What the mod with this key needs, by its stored manifest.
using Needs = std::function<std::vector<DependencyRef>(const std::string& key)>;
// The catalogue's entry for a package, or null.
using Lookup = std::function<const TSPackage*(const std::string& ns, const std::string& name)>;

// ---- A sync's order: the profile's own mods in list order, then what they need, then what those
// need, and so on, breadth-first. A wave is one such step; each key comes up once per sync, which
// also ends dependency cycles.

// The keys of `candidates` the profile holds that have not come up yet, in order; records them in `seen`.
std::vector<std::string> nextWave(const Profile& profile, const std::vector<std::string>& candidates,
                                  std::set<std::string>& seen);
// The first wave: the profile's own mods.
std::vector<std::string> firstWave(const Profile& profile, std::set<std::string>& seen);
// The keys of what `needs` names, in order: the candidates of the next wave.
std::vector<std::string> keys(const std::vector<DependencyRef>& needs);
// A mod is (re)installed when its wanted version is not the installed one or its files are gone.
bool needsInstall(const ProfileMod& mod, bool filesPresent);
// The pack is (re)installed when its files are missing or another version is wanted.
bool packNeedsInstall(const Profile& profile, ModStatus pack);
// The packages `needs` names that the profile does not hold yet, each once, in order.
std::vector<DependencyRef> missing(const Profile& profile, const std::vector<DependencyRef>& needs);
// The profile's entry for a dependency a sync adds.
ProfileMod dependencyMod(const DependencyRef& dependency, const std::string& version);

// ---- Dependencies and removal.

// Marks every mod that some mod of the profile needs as a dependency, not the user's own choice.
void markDependencies(Profile& profile, const Needs& needs);
// The other mods of the profile that need the mod with `key`, in list order.
std::vector<ProfileMod> dependents(const Profile& profile, const std::string& key, const Needs& needs);
// The mods that need the mod with `key`, directly or through others, in list order.
std::vector<ProfileMod> neededBy(const Profile& profile, const std::string& key, const Needs& needs);
// The keys of the explicit mods and of everything they need, directly or through others.
std::set<std::string> stillNeeded(const Profile& profile, const Needs& needs);
// Whether a mod stays when the profile is tidied: explicit ones and what they still need do.
bool unused(const ProfileMod& mod, const std::set<std::string>& stillNeeded);

// ---- Status.

// A mod shows by what is installed (the wanted version plays no part): not installed without its
// files, else compared with the catalogue's latest when the catalogue knows it.
ModStatus modStatus(const ProfileMod& mod, bool filesPresent, const TSPackage* package);
// The same for the loader pack; `filesPresent` is whether its preloader is in the profile.
ModStatus packStatus(const Profile& profile, bool filesPresent, const TSPackage* package);
// Update all: every installed mod older than the catalogue's latest wants the latest, and so does
// the pack when it has an update.
void takeUpdates(Profile& profile, const Lookup& lookup, ModStatus pack);
}  // namespace Plan
