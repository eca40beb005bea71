#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "profiles/profile.hpp"

// Mods a player keeps at a version: mod key ("Owner-Name") → the version held. They live in
// "holds.json" beside "profile.json", whose keys are fixed.
using HeldVersions = std::map<std::string, std::string>;

namespace ProfileStore {
// None when the file is missing or cannot be read: a lost hold only lets an update through.
HeldVersions loadHolds(const Profile& profile);
// Written atomically; throws the platform's error.
void saveHolds(const Profile& profile, const HeldVersions& holds);

std::string encodeHolds(const HeldVersions& holds);
HeldVersions decodeHolds(std::string_view json);  // throws when it is not an object of strings
}  // namespace ProfileStore
