// Making a profile the one the game loads: the game folder's "BepInEx" becomes a link to it.

#include <chrono>
#include <system_error>

#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "installer/installer.hpp"

namespace fs = std::filesystem;

namespace Installer {
void activate(const Profile& profile, const path& gameDir) {
  const fs::path link = gameDir / "BepInEx";
  if (FS::isSymlink(link)) {
    fs::remove(link);
  } else if (fs::exists(fs::symlink_status(link))) {
    // Someone else's install: keep it, out of the way, rather than delete it.
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch());
    const fs::path backup = gameDir / ("BepInEx.backup-" + std::to_string(seconds.count()));
    fs::rename(link, backup);
    Log::write("moving unexpected BepInEx folder aside to " + backup.filename().string());
  }
  fs::create_directory_symlink(profile.bepinex(), link);
  Log::write("activated profile '" + profile.name + "'");
}
}  // namespace Installer
