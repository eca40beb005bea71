#include "diagnostics/plugin_names.hpp"

#include <algorithm>

namespace Diagnostics {
namespace {
// A name as plug-ins, DLLs and namespaces spell it differently: normalName without dots too.
std::string key(std::string_view name) {
  std::string out = normalName(name);
  out.erase(std::remove(out.begin(), out.end(), '.'), out.end());
  return out;
}
}  // namespace

void PluginNames::loading(std::string_view name, size_t entry) {
  loaded_.insert_or_assign(key(name), entry);
  found_.clear();
}

void PluginNames::clear() {
  loaded_.clear();
  found_.clear();
}

std::optional<size_t> PluginNames::loaded(std::string_view name) const {
  const auto found = loaded_.find(key(name));
  if (found == loaded_.end()) return std::nullopt;
  return found->second;
}

PluginNames::Found PluginNames::find(std::string_view name, const ModClues& clues) const {
  if (const auto known = found_.find(std::string(name)); known != found_.end()) return known->second;
  Found found;
  // From the deepest part up: the part alone, and the name up to it (a DLL "Author.Mod.dll").
  for (size_t end = name.size(); end != 0 && end != std::string_view::npos && !found.entry && !found.mod;) {
    const std::string_view prefix = name.substr(0, end);
    const size_t dot = prefix.rfind('.');
    const std::string_view part = dot == std::string_view::npos ? prefix : prefix.substr(dot + 1);
    // A mod's names keep their dots (a DLL "Author.Mod.dll"), or lose them (a package "AuthorMod").
    const std::string joined = key(prefix);
    for (const std::string_view candidate : {prefix, std::string_view(joined), part}) {
      if ((found.entry = loaded(candidate))) break;
      if ((found.mod = clues.byName(candidate))) break;
    }
    end = dot;
  }
  found_.emplace(std::string(name), found);
  return found;
}

std::optional<PluginNames::Match> PluginNames::resolve(std::string_view name,
                                                       const std::vector<PluginEntry>& plugins,
                                                       const ModClues& clues) const {
  if (name.empty()) return std::nullopt;
  const Found found = find(name, clues);
  if (found.entry && *found.entry < plugins.size())
    return Match{plugins[*found.entry].name, plugins[*found.entry].mod, found.entry};
  if (!found.mod) return std::nullopt;
  // A mod of the profile: by the name its plug-in loaded under, if one is tied to it.
  for (size_t i = 0; i < plugins.size(); ++i)
    if (plugins[i].mod == found.mod) return Match{plugins[i].name, found.mod, i};
  return Match{clues.packageName(*found.mod).value_or(*found.mod), found.mod, std::nullopt};
}
}  // namespace Diagnostics
