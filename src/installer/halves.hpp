#pragma once

#include <string>
#include <vector>

#include "installer/plan.hpp"

// The manual search for the mod that breaks a game, done for the player: turn off half of the
// suspects, play, and keep the half that still breaks. A mod and what it needs go in the same
// half, so that no suspect is left on without a dependency the search turned off.
namespace Halves {
struct Split {
  std::vector<std::string> first, second;  // mod keys, each in profile order
  bool operator==(const Split&) const = default;
};

// Splits `keys` into two halves of about the same number of mods. Mods tied by a need, directly
// or through other mods of the profile, form a group that is never divided; the larger groups are
// placed first, each in the half with fewer mods so far.
Split split(const Profile& profile, const std::vector<std::string>& keys, const Plan::Needs& needs);
}  // namespace Halves
