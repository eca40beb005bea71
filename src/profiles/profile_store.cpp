#include "profiles/profile_store.hpp"

#include <algorithm>
#include <map>
#include <system_error>

#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "foundation/scoped_dir.hpp"
#include "foundation/text.hpp"
#include "foundation/uuid.hpp"

namespace fs = std::filesystem;

namespace {
fs::path profileFile(const Profile& profile) { return profile.dir() / "profile.json"; }
}  // namespace

namespace ProfileStore {

std::vector<Profile> loadAll() {
  std::vector<Profile> profiles;
  struct Found {
    size_t index;  // into profiles
    fs::path folder;
  };
  std::map<std::string, Found> byID;
  std::error_code ec;
  fs::directory_iterator it(Paths::profiles(), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const fs::path file = it->path() / "profile.json";
    FS::removeStaleTemporaries(file);
    Profile profile;
    // A stray file, a folder without profile.json or a damaged one is left alone.
    try {
      profile = decodeProfile(FS::readFile(file));
    } catch (const std::exception&) {
      continue;
    }
    // Two records with one id must not both load: deleting one would delete the other's folder.
    // The one in the folder named after the id is the real one.
    auto [seen, fresh] = byID.try_emplace(profile.id, Found{profiles.size(), it->path()});
    if (fresh) {
      profiles.push_back(std::move(profile));
      continue;
    }
    const bool home = it->path().filename() == profile.id;
    Log::write("profile folder " + (home ? seen->second.folder : it->path()).filename().string() +
               " ignored: it repeats the id of profile '" + profile.name + "'");
    if (home) {
      profiles[seen->second.index] = std::move(profile);
      seen->second.folder = it->path();
    }
  }
  std::stable_sort(profiles.begin(), profiles.end(),
                   [](const Profile& a, const Profile& b) { return a.created < b.created; });
  return profiles;
}

void save(const Profile& profile) {
  FS::mkdir(profile.dir());
  FS::writeAtomic(profileFile(profile), encodeProfile(profile));
}

Profile create(const std::string& name) {
  Profile profile{makeUUID(), name, now(), std::nullopt, std::nullopt, {}};
  ScopedDir made{profile.dir()};  // an interrupted create leaves no folder
  FS::mkdir(profile.bepinex());
  save(profile);
  made.keep();
  return profile;
}

Profile createDefault() { return create("Default"); }

Profile duplicate(const Profile& profile, const std::string& name) {
  Profile copy = profile;
  copy.id = makeUUID();
  copy.name = name;
  copy.created = now();
  ScopedDir made{copy.dir()};
  // The source's profile.json stays behind: until save writes the copy's own, the new folder is
  // no profile at all, never a second one with the source's id. Links stay links. The history
  // is the source's own: its snapshots hold the source's record.
  FS::copyContents(profile.dir(), copy.dir(), false, {"profile.json", "history"});
  save(copy);
  made.keep();
  return copy;
}

void deleteProfile(const Profile& profile) noexcept { FS::remove(profile.dir()); }

Settings loadSettings() {
  FS::removeStaleTemporaries(Paths::settings());
  try {
    return decodeSettings(FS::readFile(Paths::settings()));
  } catch (const std::exception&) {
  }
  // Earlier versions kept only the game folder, as plain text.
  try {
    return {std::string(Text::trim(FS::readFile(Paths::support() / "game_dir"))), std::nullopt};
  } catch (const std::exception&) {
  }
  return {};
}

void saveSettings(const Settings& settings) noexcept {
  try {
    FS::mkdir(Paths::support());
  } catch (const std::exception&) {
  }
  try {
    FS::writeAtomic(Paths::settings(), encodeSettings(settings));
  } catch (const std::exception&) {
  }
}
}  // namespace ProfileStore
