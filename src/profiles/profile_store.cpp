#include "profiles/profile_store.hpp"

#include <algorithm>
#include <system_error>

#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "foundation/uuid.hpp"

namespace fs = std::filesystem;

namespace {
fs::path profileFile(const Profile& profile) { return profile.dir() / "profile.json"; }

std::string trimWhitespace(const std::string& text) {
  constexpr const char* blanks = " \t\n\r\v\f";
  auto first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
}  // namespace

namespace ProfileStore {

std::vector<Profile> loadAll() {
  std::vector<Profile> profiles;
  std::error_code ec;
  fs::directory_iterator it(Paths::profiles(), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    // A stray file, a folder without profile.json or a damaged one is left alone.
    try {
      profiles.push_back(decodeProfile(FS::readFile(it->path() / "profile.json")));
    } catch (const std::exception&) {
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
  FS::mkdir(profile.bepinex());
  save(profile);
  return profile;
}

Profile duplicate(const Profile& profile, const std::string& name) {
  Profile copy = profile;
  copy.id = makeUUID();
  copy.name = name;
  copy.created = now();
  // Links inside the profile stay links; the copied profile.json is replaced by save.
  fs::copy(profile.dir(), copy.dir(), fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  save(copy);
  return copy;
}

void deleteProfile(const Profile& profile) noexcept { FS::remove(profile.dir()); }

Settings loadSettings() {
  try {
    return decodeSettings(FS::readFile(Paths::settings()));
  } catch (const std::exception&) {
  }
  // Earlier versions kept only the game folder, as plain text.
  try {
    return {trimWhitespace(FS::readFile(Paths::support() / "game_dir")), std::nullopt};
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
