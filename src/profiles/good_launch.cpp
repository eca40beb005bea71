#include "profiles/good_launch.hpp"

#include <nlohmann/json.hpp>

#include "foundation/fs.hpp"

using nlohmann::json;

namespace {
std::filesystem::path recordFile(const Profile& profile) { return profile.dir() / "good-launch.json"; }

// {"launched": "2024-01-02T03:04:05Z", "mods": {"Owner-Name": "1.2.3"}, "gameBuild": 14862538?}
std::string encode(const GoodLaunch& record) {
  json j{{"launched", Dates::iso8601(record.launched)}, {"mods", record.mods}};
  if (record.gameBuild) j["gameBuild"] = *record.gameBuild;
  if (record.dismissedBuild) j["dismissedBuild"] = *record.dismissedBuild;
  return j.dump(2);
}

std::optional<GoodLaunch> decode(std::string_view text) {
  const json j = json::parse(text, nullptr, false);
  if (!j.is_object()) return std::nullopt;
  auto launched = j.find("launched"), mods = j.find("mods"), build = j.find("gameBuild"),
       dismissed = j.find("dismissedBuild");
  if (launched == j.end() || !launched->is_string() || mods == j.end() || !mods->is_object())
    return std::nullopt;
  GoodLaunch record;
  auto date = Dates::parseISO8601(launched->get<std::string>());
  if (!date) return std::nullopt;
  record.launched = *date;
  for (const auto& [key, version] : mods->items()) {
    if (!version.is_string()) return std::nullopt;
    record.mods.emplace(key, version.get<std::string>());
  }
  if (build != j.end()) {
    if (!build->is_number_integer()) return std::nullopt;
    record.gameBuild = build->get<int64_t>();
  }
  // A dismissal that cannot be read only lets the warning come back.
  if (dismissed != j.end() && dismissed->is_number_integer())
    record.dismissedBuild = dismissed->get<int64_t>();
  return record;
}
}  // namespace

GoodLaunch goodLaunchOf(const Profile& profile, std::optional<int64_t> gameBuild, Date launched) {
  // Whole seconds, as the file keeps it: the record read back is the one made.
  GoodLaunch record{.launched = std::chrono::floor<std::chrono::seconds>(launched), .gameBuild = gameBuild};
  for (const ProfileMod& mod : profile.mods)
    if (mod.enabled && mod.installed) record.mods.emplace(mod.id(), *mod.installed);
  return record;
}

std::optional<VersionChange> changedSince(const GoodLaunch& good, const Profile& profile,
                                          std::string_view key) {
  auto then = good.mods.find(std::string(key));
  const ProfileMod* now = profile.find(key);
  if (then == good.mods.end() || !now || !now->installed || *now->installed == then->second)
    return std::nullopt;
  return VersionChange{then->second, *now->installed};
}

bool gameChangedSince(const GoodLaunch& good, std::optional<int64_t> gameBuild) {
  return good.gameBuild && gameBuild && *good.gameBuild != *gameBuild;
}

bool warnOfGameUpdate(const GoodLaunch& good, std::optional<int64_t> gameBuild) {
  return gameChangedSince(good, gameBuild) && good.dismissedBuild != gameBuild;
}

namespace ProfileStore {
std::optional<GoodLaunch> loadGoodLaunch(const Profile& profile) {
  FS::removeStaleTemporaries(recordFile(profile));
  try {
    return decode(FS::readFile(recordFile(profile)));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void saveGoodLaunch(const Profile& profile, const GoodLaunch& record) {
  FS::mkdir(profile.dir());
  FS::writeAtomic(recordFile(profile), encode(record));
}
}  // namespace ProfileStore
