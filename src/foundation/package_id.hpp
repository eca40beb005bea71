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
// A package's name as people read it: underscores shown as spaces.
std::string displayName(std::string_view name);

namespace Version {
// Numeric components; a piece that is not a signed decimal becomes 0, empty pieces are dropped.
std::vector<int64_t> parts(std::string_view v);
// True when `a` is strictly greater than `than`, missing components counting as 0.
bool newer(std::string_view a, std::string_view than);
}  // namespace Version
