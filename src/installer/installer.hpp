#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/thunderstore.hpp"
#include "installer/dependency.hpp"
#include "profiles/profile.hpp"

// Everything that touches mod, loader and game files. Stateless; every call blocks and may run on
// any thread. A mod's files are named by its key (see packageKey).
namespace Installer {
using std::filesystem::path;

inline constexpr std::string_view steamAppID = "892970";
// The macOS x64 build 5.4.23.2 of the loader on the loader release host.
std::string macLoaderURL();

// The calls that download report the download's progress to `progress`, on the calling thread.
using Http::Progress;

// Mod files inside a profile folder. installMod is unpackMod then installUnpacked: the unpacking
// (from the download cache, or downloaded into it) may run ahead, on another thread, while the
// profile's files are only ever changed by one install at a time.
std::vector<DependencyRef> installMod(const ProfileMod& mod, const std::string& version,
                                      const Profile& profile, const Progress& progress = {});
// A fresh work folder holding the package version's archive unpacked; the caller owns it.
path unpackMod(const std::string& ns, const std::string& name, const std::string& version,
               const Progress& progress = {});
// Places what unpackMod made into the profile, then removes the work folder however it ends.
std::vector<DependencyRef> installUnpacked(const ProfileMod& mod, const std::string& version,
                                           const path& unpacked, const Profile& profile);
// Whether the download cache holds the package version's archive, so installing it needs no catalogue.
bool archiveCached(const std::string& ns, const std::string& name, const std::string& version) noexcept;
void removeFiles(const std::string& key, const Profile& profile, bool keepMeta) noexcept;
// Moves the mod's folders to their places for on or off. When one cannot move, those already
// moved go back and the platform's error is thrown: the files stay as the profile records them.
void setEnabled(const std::string& key, bool enabled, const Profile& profile);
bool filesPresent(const std::string& key, const Profile& profile) noexcept;
std::vector<DependencyRef> dependencies(const std::string& key, const Profile& profile) noexcept;

// Mods from a zip file with a manifest.json, not from the catalogue. The profile keeps the archive,
// so such a mod can be installed again without the catalogue; it is never compared with it.
// installModFile returns the mod as the profile records it: explicit, installed at the manifest's
// version, enabled unless the profile holds it disabled.
// `beforeChange`, when given, runs once the manifest is read and before the profile's files change;
// what it throws stops the install.
ProfileMod installModFile(const path& archive, const Profile& profile,
                          const std::function<void(const ProfileMod&)>& beforeChange = {});
ProfileMod reinstallModFile(const std::string& key, const Profile& profile);
bool installedFromFile(const std::string& key, const Profile& profile) noexcept;
// The owner of a mod from a file whose manifest and file name name none.
inline constexpr std::string_view unknownOwner = "Local";
// The profile as a code or profile file carries it: the mods from files stay on this Mac, since
// another one could not install them from the catalogue.
Profile shareable(Profile profile);
// The "dependencies" of a manifest's bytes (UTF-8 with or without a byte-order mark, or UTF-16
// with one), the loader pack left out; empty when the text is not such a manifest.
std::vector<DependencyRef> parseDependencies(std::string_view bytes);

// The loader in the game folder and the loader pack in a profile.
bool loaderInstalled(const path& gameDir) noexcept;
// The pack's files are in the profile; its preloader tells.
bool packPresent(const Profile& profile) noexcept;
void ensureLoader(const path& gameDir, const Progress& progress = {});
void configureRunScript(const path& gameDir);
void installPack(const Profile& profile, const std::string& version, const path& gameDir,
                 const Progress& progress = {});

// Probes of the machine and the game; a tool that cannot run answers false.
// A game folder holds valheim.app (a folder, or a link to one).
bool isGameFolder(const path& dir) noexcept;
bool isAppleSilicon() noexcept;
bool gameHasIntelBuild(const path& gameDir) noexcept;
bool rosettaInstalled() noexcept;
bool gameRunning() noexcept;
bool steamRunning() noexcept;

// Points the game folder's "BepInEx" link at the profile; a real folder in the way is moved aside.
void activate(const Profile& profile, const path& gameDir);

// Starts the game through the loader's run script, waiting up to ~90 s for Steam to sign in.
// `progress` receives short texts for the user, on the calling thread.
using LaunchProgress = std::function<void(const std::string&)>;
void launch(const path& gameDir, const LaunchProgress& progress);

// What mends a launch whose loader never started. Each throws with the sentence or the tool's own
// words when it fails.
// Quits the running game and waits for it to be gone.
void quitGame();
// Installs Rosetta, agreeing to its licence (the player was asked first).
void installRosetta();
// Writes the loader's files and its run script into the game folder again.
void repairLoader(const path& gameDir, const Progress& progress = {});
// Removes macOS's quarantine mark from the loader's files: the game folder's and the profile's.
void clearQuarantine(const path& gameDir, const Profile& profile);

// Moves a hand-made "BepInEx" folder of the game into a new profile "Default".
std::optional<Profile> migrateLegacyInstall(const path& gameDir);

// Every wait of a launch goes through the sleeper; tests replace it. An empty one restores the real sleep.
using Sleeper = std::function<void(std::chrono::milliseconds)>;
void setSleeper(Sleeper sleeper);
}  // namespace Installer
