// The loader pack: its managed core into a profile, its runtime libraries into the game folder.

#include "catalogue/thunderstore.hpp"
#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "foundation/scoped_dir.hpp"
#include "foundation/words.hpp"
#include "installer/installer.hpp"
#include "installer/internal.hpp"

namespace fs = std::filesystem;

namespace Installer {
bool packPresent(const Profile& profile) noexcept {
  return FS::exists(profile.bepinex() / "core" / "BepInEx.Preloader.dll");
}

void installPack(const Profile& profile, const std::string& version, const path& gameDir,
                 const Progress& progress) {
  const std::string packName(LoaderPack::name);
  Log::write("installing " + packName + " " + version + " into profile '" + profile.name + "'");
  const ScopedDir T;
  const std::string ns(LoaderPack::ns);
  detail::unpackArchive(detail::archiveName(ns, packName, version),
                        Thunderstore::downloadURL(ns, packName, version), *T / "pack.zip", *T / "x",
                        progress);

  const fs::path K = *T / "x" / packName;
  if (!FS::isDirectory(K / "BepInEx"))
    throw AppError(Words::translate("Installer", "Unexpected BepInEx pack layout."));
  // Loader files replace their older selves; the user's configuration is only added to.
  FS::copyContents(K / "BepInEx", profile.bepinex(), true, {"config"});
  if (FS::isDirectory(K / "BepInEx" / "config"))
    FS::copyContents(K / "BepInEx" / "config", profile.bepinex() / "config", false);

  // The game folder's runtime libraries always match the most recently installed pack.
  if (FS::isDirectory(K / "unstripped_corlib")) {
    FS::remove(gameDir / "unstripped_corlib");
    FS::copyContents(K / "unstripped_corlib", gameDir / "unstripped_corlib", true);
  }
  // The script's library search line follows the presence of unstripped_corlib.
  if (loaderInstalled(gameDir)) configureRunScript(gameDir);
}
}  // namespace Installer
