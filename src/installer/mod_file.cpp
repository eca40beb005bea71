// Mods installed from a zip file the user chose instead of from the catalogue. The profile keeps
// the archive beside the mod's manifest, so the mod can be installed again without the catalogue.

#include <algorithm>
#include <nlohmann/json.hpp>

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
namespace {
// Namespaces and package names are plain words: letters, digits and underscores.
bool isWord(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
}

// Three dotted whole numbers, as the catalogue's versions are.
bool isVersion(std::string_view v) {
  int dots = 0;
  bool digit = false;
  for (char c : v) {
    if (c == '.') {
      if (!digit) return false;
      ++dots;
      digit = false;
    } else if (c >= '0' && c <= '9') {
      digit = true;
    } else {
      return false;
    }
  }
  return dots == 2 && digit;
}

std::string stringMember(const nlohmann::json& json, const char* key) {
  const auto member = json.find(key);
  return member != json.end() && member->is_string() ? member->get<std::string>() : std::string();
}

// Whose mod it is: the manifest's "author" when it names one, else the owner in a catalogue-style
// file name ("Owner-Name-1.0.0.zip"), else unknownOwner.
std::string owner(const nlohmann::json& manifest, const std::string& name, const fs::path& file) {
  if (std::string author = stringMember(manifest, "author"); isWord(author)) return author;
  const std::string stem = file.stem().string();
  const size_t dash = stem.find('-');
  if (dash != std::string::npos && isWord(stem.substr(0, dash)) &&
      stem.compare(dash + 1, name.size(), name) == 0 &&
      (stem.size() == dash + 1 + name.size() || stem[dash + 1 + name.size()] == '-'))
    return stem.substr(0, dash);
  return std::string(Installer::unknownOwner);
}

// The mod that the unpacked archive `X` of `file` holds, by its manifest.
ProfileMod readManifest(const fs::path& X, const fs::path& file) {
  const std::string unreadable = Words::fill(
      Words::translate("Installer", "“%1” has no readable manifest.json, so it can’t be installed as a mod."),
      {file.filename().string()});
  std::string bytes;
  try {
    bytes = FS::readFile(X / "manifest.json", detail::maxManifestBytes);
  } catch (const std::exception&) {
    throw AppError(unreadable);
  }
  const auto json = nlohmann::json::parse(detail::manifestText(std::move(bytes)), nullptr, false);
  if (!json.is_object()) throw AppError(unreadable);
  const std::string name = stringMember(json, "name"), version = stringMember(json, "version_number");
  if (!isWord(name) || !isVersion(version)) throw AppError(unreadable);
  if (name == LoaderPack::name)
    throw AppError(Words::fill(
        Words::translate("Installer",
                         "BepInEx comes with every profile, so “%1” can’t be installed as a mod."),
        {file.filename().string()}));
  return ProfileMod{owner(json, name, file), name, version, version, true, true};
}
}  // namespace

namespace detail {
path keptArchive(const std::string& key, const Profile& profile) {
  return profile.metaDir() / (key + ".zip");
}
}  // namespace detail

ProfileMod installModFile(const path& archive, const Profile& profile,
                          const std::function<void(const ProfileMod&)>& beforeChange) {
  const ScopedDir T;
  // The archive is copied first: it may be the profile's own kept copy, which the install replaces.
  const fs::path copy = *T / archive.filename();
  fs::copy_file(archive, copy);
  const fs::path X = *T / "x";
  FS::unzip(copy, X);
  ProfileMod mod = readManifest(X, archive);

  const std::string key = mod.id();
  if (const ProfileMod* held = profile.find(key)) mod.enabled = held->enabled;
  if (beforeChange) beforeChange(mod);
  Log::write("installing " + key + " " + mod.version + " from " + archive.string() + " into profile '" +
             profile.name + "'");
  detail::placeMod(X, key, profile, mod.enabled);
  FS::move(copy, detail::keptArchive(key, profile));
  return mod;
}

ProfileMod reinstallModFile(const std::string& key, const Profile& profile) {
  return installModFile(detail::keptArchive(key, profile), profile);
}

bool installedFromFile(const std::string& key, const Profile& profile) noexcept {
  return FS::exists(detail::keptArchive(key, profile));
}

Profile shareable(Profile profile) {
  std::erase_if(profile.mods, [&](const ProfileMod& m) {
    if (!installedFromFile(m.id(), profile)) return false;
    Log::write("left " + m.id() + " out of the shared profile: it was installed from a file");
    return true;
  });
  return profile;
}
}  // namespace Installer
