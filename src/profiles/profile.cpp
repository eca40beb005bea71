#include <algorithm>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <utility>

#include "foundation/package_id.hpp"
#include "foundation/paths.hpp"
#include "profiles/profile_store.hpp"

using nlohmann::json;

std::string ProfileMod::displayName() const { return ::displayName(name); }

std::filesystem::path Profile::dir() const { return Paths::profiles() / id; }
std::filesystem::path Profile::bepinex() const { return dir() / "BepInEx"; }
std::filesystem::path Profile::disabledDir() const { return dir() / "disabled"; }
std::filesystem::path Profile::metaDir() const { return dir() / "meta"; }

const ProfileMod* Profile::find(std::string_view key) const {
  auto it = std::find_if(mods.begin(), mods.end(), [&](const ProfileMod& m) { return m.id() == key; });
  return it == mods.end() ? nullptr : &*it;
}

ProfileMod* Profile::find(std::string_view key) {
  return const_cast<ProfileMod*>(std::as_const(*this).find(key));
}

namespace {
// A key that is written only when it has a value; null reads as absent, any other
// non-string type makes the file unreadable.
std::optional<std::string> optionalString(const json& object, const char* key) {
  auto it = object.find(key);
  if (it == object.end() || it->is_null()) return std::nullopt;
  return it->get<std::string>();
}

void putOptional(json& object, const char* key, const std::optional<std::string>& value) {
  if (value) object[key] = *value;
}

// at() and get<>() throw on a missing key, a wrong type or a value that is not an object,
// which is the strictness wanted.
ProfileMod decodeMod(const json& j) {
  return {j.at("ns").get<std::string>(),  j.at("name").get<std::string>(), j.at("version").get<std::string>(),
          optionalString(j, "installed"), j.at("enabled").get<bool>(),     j.at("explicit").get<bool>()};
}
}  // namespace

namespace ProfileStore {

// nlohmann's object keeps its keys sorted, so dump(2) gives one member per line in key order.
std::string encodeProfile(const Profile& profile) {
  json mods = json::array();
  for (const auto& mod : profile.mods) {
    json m = {{"ns", mod.ns},
              {"name", mod.name},
              {"version", mod.version},
              {"enabled", mod.enabled},
              {"explicit", mod.isExplicit}};
    putOptional(m, "installed", mod.installed);
    mods.push_back(std::move(m));
  }
  json j = {{"id", profile.id},
            {"name", profile.name},
            {"created", Dates::iso8601(profile.created)},
            {"mods", std::move(mods)}};
  putOptional(j, "packVersion", profile.packVersion);
  putOptional(j, "packInstalled", profile.packInstalled);
  return j.dump(2);
}

Profile decodeProfile(std::string_view text) {
  json j = json::parse(text);
  auto createdText = j.at("created").get<std::string>();
  auto created = Dates::parseISO8601(createdText);
  if (!created) throw std::runtime_error("profile.json: bad date \"" + createdText + "\"");
  const json& modList = j.at("mods");
  if (!modList.is_array()) throw std::runtime_error("profile.json: \"mods\" is not a list");
  Profile profile{j.at("id").get<std::string>(),    j.at("name").get<std::string>(),    *created,
                  optionalString(j, "packVersion"), optionalString(j, "packInstalled"), {}};
  for (const auto& m : modList) profile.mods.push_back(decodeMod(m));
  return profile;
}

std::string encodeSettings(const Settings& settings) {
  json j = json::object();
  putOptional(j, "gameDir", settings.gameDir);
  putOptional(j, "activeProfile", settings.activeProfile);
  return j.dump();
}

Settings decodeSettings(std::string_view text) {
  json j = json::parse(text);
  if (!j.is_object()) throw std::runtime_error("settings.json: not an object");
  return {optionalString(j, "gameDir"), optionalString(j, "activeProfile")};
}

}  // namespace ProfileStore
