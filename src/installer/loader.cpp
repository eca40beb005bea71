// The macOS loader in the game folder: presence, installation and the run script's edits.

#include "catalogue/endpoints.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/scoped_dir.hpp"
#include "foundation/words.hpp"
#include "installer/installer.hpp"
#include "installer/internal.hpp"
#include "installer/system_tools.hpp"

namespace fs = std::filesystem;

namespace Installer {
namespace {
bool isLineEnd(char c) { return c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Every line that starts with `prefix` becomes `line`, keeping its line end
// (what "(?m)^prefix.*$" with a replacement does).
std::string replaceLines(std::string text, std::string_view prefix, std::string_view line) {
  for (size_t start = 0; start <= text.size();) {
    size_t end = start;
    while (end < text.size() && !isLineEnd(text[end])) ++end;
    if (std::string_view(text).substr(start, end - start).starts_with(prefix)) {
      text.replace(start, end - start, line);
      end = start + line.size();
    }
    if (end >= text.size()) break;
    start = end + 1;
  }
  return text;
}

bool isDoorstop(const std::string& name) {
  return name.starts_with("libdoorstop") && name.ends_with(".dylib");
}
}  // namespace

std::string macLoaderURL() {
  return endpoints().loaderReleases +
         "/BepInEx/BepInEx/releases/download/v5.4.23.2/BepInEx_macos_x64_5.4.23.2.zip";
}

bool loaderInstalled(const path& gameDir) noexcept {
  if (!FS::exists(gameDir / "run_bepinex.sh")) return false;
  for (const auto& name : detail::entryNames(gameDir))
    if (isDoorstop(name)) return true;
  return false;
}

void ensureLoader(const path& gameDir, const Progress& progress) {
  if (!loaderInstalled(gameDir)) repairLoader(gameDir, progress);
}

void repairLoader(const path& gameDir, const Progress& progress) {
  Log::write("installing macOS loader into " + gameDir.string());
  const ScopedDir T;
  const std::string url = macLoaderURL();
  detail::unpackArchive(url.substr(url.rfind('/') + 1), url, *T / "loader.zip", *T / "x", progress);
  // The loader's managed core comes from the pack, into each profile; never into the game folder.
  FS::copyContents(*T / "x", gameDir, true, {"BepInEx"});
  configureRunScript(gameDir);
  // Files from the internet would be refused by Gatekeeper; the answer does not matter.
  detail::tryRun(systemTools().xattr, {"-dr", "com.apple.quarantine", gameDir.string()});
}

void configureRunScript(const path& gameDir) {
  const fs::path script = gameDir / "run_bepinex.sh";
  auto text = detail::readUTF8(script);
  if (!text) throw AppError(Words::translate("Installer", "run_bepinex.sh is missing."));
  std::string edited = replaceLines(std::move(*text), "executable_name=", "executable_name=\"valheim.app\"");
  if (FS::isDirectory(gameDir / "unstripped_corlib"))
    edited = replaceLines(std::move(edited),
                          "dll_search_path_override=", "dll_search_path_override=\"unstripped_corlib\"");
  FS::writeAtomic(script, edited);
  fs::permissions(script, fs::perms(0755), fs::perm_options::replace);
}
}  // namespace Installer
