#pragma once

#include <string>

#include "profiles/holds.hpp"
#include "profiles/profile.hpp"

// A profile's mods as text to paste where players talk: one line per mod, the player's own mods
// first and then what they need, each as the list shows it.
namespace ModListText {
enum class Format { Plain, Markdown };

// "PlanBuild 0.14.2 by MathiasDecrock", marked when the mod is turned off or held; Markdown gives a
// table with the marks in a column of their own.
std::string of(const Profile& profile, const HeldVersions& holds, Format format);
}  // namespace ModListText
