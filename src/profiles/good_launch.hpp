#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/date.hpp"
#include "profiles/profile.hpp"

// The last launch of a profile whose start-up completed (the loader finished loading every
// plugin): what ran then, so a later launch with a problem can point at what changed since.
// It lives in "good-launch.json" beside "profile.json"; snapshots and exports leave it out, since
// it records what happened, not what the profile holds.
struct GoodLaunch {
  Date launched = distantPast;
  std::map<std::string, std::string> mods;  // mod key → the version whose files ran
  std::optional<int64_t> gameBuild;  // Steam's build id of the game, when it was known
  // A later game build the player chose to play without being warned of again; a good launch on
  // it makes a new record, which leaves this out.
  std::optional<int64_t> dismissedBuild;
  bool operator==(const GoodLaunch&) const = default;
};

// The record of a launch of `profile` as it is now: its enabled, installed mods.
GoodLaunch goodLaunchOf(const Profile& profile, std::optional<int64_t> gameBuild, Date launched);

struct VersionChange {
  std::string from, to;
  bool operator==(const VersionChange&) const = default;
};
// The mod's version at the good launch and now, when it ran then and is installed now at another
// version. None for a mod that was not part of that launch (added or enabled since).
std::optional<VersionChange> changedSince(const GoodLaunch& good, const Profile& profile,
                                          std::string_view key);
// The game was updated since: both builds are known and differ. An unknown build never counts.
bool gameChangedSince(const GoodLaunch& good, std::optional<int64_t> gameBuild);
// The same, unless the player asked not to be warned of this build.
bool warnOfGameUpdate(const GoodLaunch& good, std::optional<int64_t> gameBuild);

namespace ProfileStore {
// None when there is no record or it cannot be read: the hints that need it stay away.
std::optional<GoodLaunch> loadGoodLaunch(const Profile& profile);
// Written atomically; throws the platform's error.
void saveGoodLaunch(const Profile& profile, const GoodLaunch& record);
}  // namespace ProfileStore
