// The profile archive shared with r2modman: a zip holding the manifest "export.r2x" and a copy
// of the profile's configuration folder.
#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "foundation/scoped_dir.hpp"
#include "foundation/words.hpp"
#include "profiles/export_manifest.hpp"
#include "profiles/profile_store.hpp"

namespace fs = std::filesystem;

namespace {
constexpr const char* manifestName = "export.r2x";
constexpr size_t maxManifestBytes = 1 << 20;  // a mod list of thousands of mods is a few hundred KB
}  // namespace

namespace ProfileStore {

std::string exportZip(const Profile& profile) {
  const ScopedDir work;
  const ScopedDir archive{work.path().parent_path() / (work.path().filename().string() + ".zip")};

  FS::writeAtomic(*work / manifestName, writeExportManifest(profile, loadHolds(profile)));
  fs::path config = profile.bepinex() / "config";
  if (FS::isDirectory(config)) FS::copyContents(config, *work / "BepInEx" / "config", true);
  try {
    FS::zip(*work, *archive);
  } catch (const std::exception& e) {
    throw AppError(
        Words::fill(Words::translate("ProfileStore", "Couldn’t package the profile: %1"), {e.what()}));
  }
  return FS::readFile(*archive);
}

ImportedProfile readExport(std::string_view data) {
  ScopedDir work;  // removed unless the import is handed over
  fs::path archive = *work / "profile.zip";
  fs::path unpacked = *work / "x";
  FS::writeAtomic(archive, data);
  FS::unzip(archive, unpacked, FS::profileArchiveLimits);

  std::string text;
  try {
    text = FS::readFile(unpacked / manifestName, maxManifestBytes);
  } catch (const fs::filesystem_error& e) {
    if (e.code() == std::errc::file_too_large)
      throw AppError(Words::translate("ProfileStore", "That profile code’s mod list is too large."));
    throw AppError(Words::translate("ProfileStore", "That profile code doesn’t contain a mod list."));
  }
  ExportManifest parsed = parseExportManifest(text);

  ImportedProfile imported{
      parsed.profileName, std::nullopt, {}, std::nullopt, *work, heldVersions(parsed), {}};
  for (const auto& held : parsed.ignoredUpdates)
    if (!imported.holds.count(held)) imported.heldIDs.push_back(held);
  for (const auto& entry : parsed.entries) {
    if (entry.name == LoaderPack::id)
      imported.pack = entry.version();
    else
      imported.mods.push_back({entry.name, entry.version(), entry.enabled});
  }
  // Our archives keep "BepInEx/config"; some other managers write a top-level "config".
  for (const fs::path& candidate : {unpacked / "BepInEx" / "config", unpacked / "config"}) {
    if (FS::isDirectory(candidate)) {
      imported.configDir = candidate;
      break;
    }
  }
  Log::write("profile import '" + imported.name + "': " + std::to_string(imported.mods.size()) +
             " mods, pack " + imported.pack.value_or("-") +
             ", config: " + (imported.configDir ? "true" : "false"));
  work.keep();
  return imported;
}
}  // namespace ProfileStore
