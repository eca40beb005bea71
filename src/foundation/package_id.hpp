#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// "Owner-Name" or "Owner-Name-1.2.3"; the name may itself hold hyphens.
struct PackageID {
  std::string ns, name;
  std::optional<std::string> version;
  bool operator==(const PackageID&) const = default;
};

PackageID splitPackageID(std::string_view id);
// "Owner-Name": how profiles, installed files and the catalogue name a package, whatever its version.
std::string packageKey(std::string_view ns, std::string_view name);
// "Owner-Name-1.2.3": one version of a package, as its archive and icon are named.
std::string packageKey(std::string_view ns, std::string_view name, std::string_view version);
// A package's name as people read it: underscores shown as spaces.
std::string displayName(std::string_view name);

namespace Version {
// Numeric components; a piece that is not a signed decimal becomes 0, empty pieces are dropped.
std::vector<int64_t> parts(std::string_view v);
// True when `a` is strictly greater than `than`, missing components counting as 0.
bool newer(std::string_view a, std::string_view than);
}  // namespace Version
