#include "installer/profile_files.hpp"

#include "foundation/fs.hpp"

namespace Installer {
ProfileFiles ProfileFiles::read(const Profile& profile) {
  ProfileFiles files;
  files.plugins_ = FS::names(profile.bepinex() / "plugins");
  files.parked_ = FS::names(profile.disabledDir() / "plugins");
  files.keptArchives_ = FS::names(profile.metaDir());
  return files;
}
}  // namespace Installer
