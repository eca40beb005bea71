// What mends a launch whose loader never started, beside the loader's own files (loader.cpp) and
// quitting the game (launch.cpp).

#include <stdexcept>

#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/shell.hpp"
#include "foundation/text.hpp"
#include "installer/installer.hpp"
#include "installer/system_tools.hpp"

namespace Installer {
namespace {
// Runs a system tool whose failure the player must see, in the tool's own words; `harmless` is
// what it says of a failure that is none.
void runOrThrow(const path& tool, const std::vector<std::string>& args, std::string_view harmless = {}) {
  const Shell::Result result = Shell::run(tool, args);
  Log::write(tool.filename().string() + ": code=" + std::to_string(result.code) + " " + result.output);
  if (result.code != 0 && (harmless.empty() || result.output.find(harmless) == std::string::npos)) {
    const std::string_view said = Text::trim(result.output);
    throw std::runtime_error(said.empty() ? tool.filename().string() + " failed with code " +
                                                std::to_string(result.code) + "."
                                          : std::string(said));
  }
}
}  // namespace

void installRosetta() {
  runOrThrow(systemTools().softwareupdate, {"--install-rosetta", "--agree-to-license"});
}

void clearQuarantine(const path& gameDir, const Profile& profile) {
  for (const path& folder : {gameDir, profile.bepinex()})
    // A file that never was quarantined has nothing to remove.
    if (FS::exists(folder))
      runOrThrow(systemTools().xattr, {"-dr", "com.apple.quarantine", folder.string()}, "No such xattr");
}
}  // namespace Installer
