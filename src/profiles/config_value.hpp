#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/config_file.hpp"

// How a setting is edited, from its stated type and what its comments allow. A setting whose
// value or default does not fit its type is edited as text, so nothing in the file is refused.
enum class ConfigControl { Text, Toggle, Number, Slider, Choice, Flags };

ConfigControl configControl(const ConfigEntry& entry);

// The kind of a setting as a player says it ("Whole number", "On/Off", "Key", "Colour"); a type
// the loader has no plain word for is named as the file names it, and none as empty.
std::string configKindName(const ConfigEntry& entry);

// The sentence that says why `value` cannot be saved for the entry ("Enter a whole number."), or none.
std::optional<std::string> configValueProblem(const ConfigEntry& entry, std::string_view value);

// Whether `value` says the same as the entry's default (false when it has none).
bool configIsDefault(const ConfigEntry& entry, std::string_view value);

// The value the loader reads back for a set of a combined enum's parts (configList splits one), in
// the enum's order; "None" (when the enum has it) or "0" for no part at all.
std::string configFlagValue(const ConfigEntry& entry, const std::vector<std::string>& parts);

// A number the entry's type accepts, or none; integer types take only whole numbers in their range.
std::optional<double> configNumber(std::string_view type, std::string_view text);
