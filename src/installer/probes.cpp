// Questions put to the machine and the game folder. A system tool that cannot run answers "no".

#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/text.hpp"
#include "installer/installer.hpp"
#include "installer/internal.hpp"
#include "installer/system_tools.hpp"

namespace Installer {
namespace {
bool exitsZero(const path& tool, const std::vector<std::string>& args) {
  auto result = detail::tryRun(tool, args);
  return result && result->code == 0;
}
}  // namespace

bool isGameFolder(const path& dir) noexcept { return FS::isDirectory(dir / "valheim.app"); }

bool isAppleSilicon() noexcept {
  auto result = detail::tryRun(systemTools().sysctl, {"-n", "hw.optional.arm64"});
  return result && Text::trim(result->output) == "1";
}

bool gameHasIntelBuild(const path& gameDir) noexcept {
  const path macOS = gameDir / "valheim.app" / "Contents" / "MacOS";
  const auto names = detail::entryNames(macOS);
  // The file-type tool names every architecture of a universal executable.
  for (const auto& name : names) {
    auto result = detail::tryRun(systemTools().file, {(macOS / name).string()});
    if (result && result->output.find("x86_64") != std::string::npos) return true;
  }
  std::string list = "[";
  for (size_t i = 0; i < names.size(); ++i) list += (i ? ", \"" : "\"") + names[i] + "\"";
  Log::write("no x86_64 slice found in " + macOS.string() + ": " + list + "]");
  return false;
}

bool rosettaInstalled() noexcept { return exitsZero(systemTools().arch, {"-x86_64", "/usr/bin/true"}); }

bool gameRunning() noexcept {
  return exitsZero(systemTools().pgrep, {"-f", std::string(detail::gameProcess)});
}

bool steamRunning() noexcept { return exitsZero(systemTools().pgrep, {"-x", "steam_osx"}); }
}  // namespace Installer
