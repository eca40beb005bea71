#include "history/diff.hpp"

#include <map>
#include <set>
#include <utility>

#include "profiles/config_file.hpp"

namespace History {

std::vector<ModChange> modChanges(const Profile& before, const Profile& after) {
  // By key, the first entry of each as Profile::find has it; a listing compares 100 records.
  std::map<std::string, const ProfileMod*> earlier;
  for (const ProfileMod& mod : before.mods) earlier.try_emplace(mod.id(), &mod);
  std::vector<ModChange> changes;
  std::set<std::string> seen;
  for (const ProfileMod& mod : after.mods) {
    auto key = mod.id();
    if (seen.count(key)) continue;
    auto it = earlier.find(key);
    const ProfileMod* old = it == earlier.end() ? nullptr : it->second;
    if (!old || old->version != mod.version || old->enabled != mod.enabled)
      changes.push_back({old ? std::optional(*old) : std::nullopt, mod});
    seen.insert(std::move(key));
  }
  for (const ProfileMod& mod : before.mods)
    if (seen.insert(mod.id()).second) changes.push_back({mod, std::nullopt});
  return changes;
}

std::optional<PackChange> packChange(const Profile& before, const Profile& after) {
  if (before.packVersion == after.packVersion) return std::nullopt;
  return PackChange{before.packVersion, after.packVersion};
}

std::vector<SettingChange> settingChanges(std::string_view before, std::string_view after) {
  using Key = std::pair<std::string, std::string>;
  const ConfigFile earlier = ConfigFile::parse(before), later = ConfigFile::parse(after);
  std::map<Key, std::string> old;
  for (const ConfigEntry& e : earlier.entries()) old.try_emplace({e.section, e.key}, e.value);
  std::vector<SettingChange> changes;
  for (const ConfigEntry& e : later.entries()) {
    auto it = old.find({e.section, e.key});
    if (it == old.end()) {
      changes.push_back({e.section, e.key, std::nullopt, e.value});
      continue;
    }
    if (it->second != e.value) changes.push_back({e.section, e.key, it->second, e.value});
    old.erase(it);  // a key repeated in one section compares once
  }
  // What is left was removed; its order in the earlier file is lost in the map, so by name.
  for (auto& [key, value] : old) changes.push_back({key.first, key.second, std::move(value), std::nullopt});
  return changes;
}
}  // namespace History
