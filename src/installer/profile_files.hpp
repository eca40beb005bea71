#pragma once

#include <set>
#include <string>

#include "profiles/profile.hpp"

namespace Installer {
// What a profile's folders hold, read in one pass: a look at every mod of the profile then costs a
// few folder listings rather than a few checks per mod. A snapshot; it does not follow the disk.
class ProfileFiles {
 public:
  static ProfileFiles read(const Profile& profile);

  // The mod's plug-ins are in the profile, turned on or off (as filesPresent).
  bool present(const std::string& key) const { return plugins_.contains(key) || parked_.contains(key); }
  // The mod came from a zip file, not the catalogue (as installedFromFile).
  bool fromFile(const std::string& key) const { return keptArchives_.contains(key + ".zip"); }

 private:
  std::set<std::string> plugins_, parked_, keptArchives_;
};
}  // namespace Installer
