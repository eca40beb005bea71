#pragma once

#include <string_view>

// The identity of the loader pack in the catalogue. A profile installs it on its own, so it is
// neither a mod of the profile nor a dependency a mod can pull in.
namespace LoaderPack {
inline constexpr std::string_view id = "denikson-BepInExPack_Valheim";
inline constexpr std::string_view ns = id.substr(0, id.find('-'));
inline constexpr std::string_view name = id.substr(id.find('-') + 1);
}  // namespace LoaderPack
