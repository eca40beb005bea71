#include "diagnostics/mod_clues.hpp"

#include <cctype>
#include <fstream>
#include <system_error>

#include "foundation/fs.hpp"
#include "foundation/package_id.hpp"
#include "foundation/text.hpp"
#include "profiles/config_file.hpp"

namespace Diagnostics {
namespace fs = std::filesystem;

namespace {
// Settings files are read only for their header; a DLL larger than this is no plug-in.
constexpr size_t headBytes = 1024;
constexpr size_t dllReadLimit = 64u << 20;

std::string head(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes(headBytes, '\0');
  in.read(bytes.data(), std::streamsize(bytes.size()));
  bytes.resize(size_t(in.gcount()));
  return bytes;
}

// "## Plugin GUID: <GUID>" in a settings file's header.
std::optional<std::string> settingsGuid(std::string_view text) {
  constexpr std::string_view marker = "## Plugin GUID:";
  const size_t at = text.find(marker);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view rest = text.substr(at + marker.size());
  const std::string_view guid = Text::trim(rest.substr(0, rest.find('\n')));
  if (guid.empty()) return std::nullopt;
  return std::string(guid);
}

// Whether an assembly's bytes hold `text` as an attribute argument: UTF-8 after its length, which
// fits one byte below 128 (so "com.x.y" is not found inside "com.x.yz").
bool holdsString(std::string_view bytes, std::string_view text) {
  for (size_t at = bytes.find(text); at != std::string_view::npos; at = bytes.find(text, at + 1))
    if (text.size() >= 128 || (at > 0 && static_cast<unsigned char>(bytes[at - 1]) == text.size()))
      return true;
  return false;
}

// "2.20.1" and "2.20.1.0" are one version; a plug-in's and its package's often differ so.
bool sameVersion(std::string_view a, std::string_view b) {
  auto x = Version::parts(a), y = Version::parts(b);
  while (!x.empty() && x.back() == 0) x.pop_back();
  while (!y.empty() && y.back() == 0) y.pop_back();
  return !a.empty() && x == y;
}

bool isDll(const fs::path& file) {
  std::string ext = file.extension().string();
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".dll";
}

}  // namespace

std::string_view dllStem(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  if (path.size() > 4 && normalName(path.substr(path.size() - 4)) == ".dll") path.remove_suffix(4);
  return path;
}

std::string normalName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (const char c : name)
    if (c != ' ' && c != '_' && c != '-') out += char(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

ModClues ModClues::gather(const Profile& profile, const fs::path& folder) {
  ModClues clues;
  for (const ProfileMod& mod : profile.mods) {
    clues.addMod(mod.id(), mod.name, mod.installed.value_or(mod.version));
    for (const fs::path& tree : {folder / "BepInEx" / "plugins", folder / "disabled" / "plugins"}) {
      std::error_code ec;
      for (fs::recursive_directory_iterator it(tree / mod.id(), ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && isDll(it->path())) clues.addDll(mod.id(), it->path());
    }
  }
  std::error_code ec;
  for (fs::directory_iterator it(folder / "BepInEx" / "config", ec), end; !ec && it != end;
       it.increment(ec)) {
    if (it->path().extension() != ".cfg") continue;
    const std::string text = head(it->path());
    const auto name = configPluginName(text);
    if (!name) continue;
    // The loader names a settings file after its plug-in's GUID; newer ones also say it inside.
    clues.addSettingsFile(settingsGuid(text).value_or(it->path().stem().string()), *name);
  }
  return clues;
}

void ModClues::addMod(const std::string& key, std::string_view packageName, std::string_view version) {
  keys_.insert(key);
  packages_[key] = {std::string(packageName), std::string(version)};
  names_[normalName(packageName)].insert(key);
}

void ModClues::addDll(const std::string& key, const fs::path& file) {
  const std::string stem = normalName(file.stem().string());
  names_[stem].insert(key);
  dlls_[stem].insert(key);
  dllFiles_.emplace_back(key, file);
}

void ModClues::addSettingsFile(std::string_view guid, std::string_view pluginName) {
  guidNames_.emplace(guid, pluginName);
}

std::optional<std::string> ModClues::only(const std::map<std::string, std::set<std::string>>& map,
                                          const std::string& name) const {
  const auto found = map.find(name);
  if (found == map.end() || found->second.size() != 1) return std::nullopt;
  return *found->second.begin();
}

std::optional<std::string> ModClues::byName(std::string_view name) const {
  if (name.empty()) return std::nullopt;
  return only(names_, normalName(name));
}

std::optional<std::string> ModClues::byNameAndVersion(std::string_view name, std::string_view version) const {
  const auto found = names_.find(normalName(name));
  if (found == names_.end() || version.empty()) return std::nullopt;
  std::set<std::string> fits;
  for (const std::string& key : found->second)
    if (const auto package = packages_.find(key);
        package != packages_.end() && sameVersion(package->second.second, version))
      fits.insert(key);
  if (fits.empty()) fits = holding(version, found->second);
  if (fits.size() != 1) return std::nullopt;
  return *fits.begin();
}

std::optional<std::string> ModClues::packageName(const std::string& key) const {
  const auto found = packages_.find(key);
  if (found == packages_.end()) return std::nullopt;
  return found->second.first;
}

std::optional<std::string> ModClues::byNamespace(std::string_view ns) const {
  for (;;) {
    std::string joined;
    for (const char c : ns)
      if (c != '.') joined += c;
    if (auto key = only(names_, normalName(joined))) return key;
    const size_t dot = ns.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    ns = ns.substr(0, dot);
  }
}

std::optional<std::string> ModClues::byDll(std::string_view path) const {
  // ".../plugins/<key>/Some.dll": the folder names the mod.
  for (const std::string_view marker : {"plugins/", "plugins\\"}) {
    const size_t at = path.rfind(marker);
    if (at == std::string_view::npos) continue;
    const std::string_view rest = path.substr(at + marker.size());
    const size_t slash = rest.find_first_of("/\\");
    if (slash == std::string_view::npos) continue;
    if (const std::string folder(rest.substr(0, slash)); keys_.count(folder)) return folder;
  }
  return only(dlls_, normalName(dllStem(path)));
}

std::optional<std::string> ModClues::byGuid(std::string_view guid) const {
  if (const auto found = guidsFound_.find(guid); found != guidsFound_.end()) return found->second;
  std::optional<std::string> key;
  if (const auto named = guidNames_.find(std::string(guid)); named != guidNames_.end())
    key = byName(named->second);
  // The GUID is written into the plug-in's DLL as text; a mod whose DLL holds it carries it.
  std::set<std::string> holders;
  if (!key && guid.size() >= 3) holders = holding(guid, keys_);
  if (!key && holders.size() == 1) key = *holders.begin();
  guidsFound_.emplace(std::string(guid), key);
  return key;
}
std::set<std::string> ModClues::holding(std::string_view text, const std::set<std::string>& keys) const {
  std::set<std::string> holders;
  for (const auto& [mod, file] : dllFiles_) {
    if (!keys.count(mod) || holders.count(mod)) continue;
    try {
      if (holdsString(FS::readFile(file, dllReadLimit), text)) holders.insert(mod);
    } catch (const std::exception&) {
      // An unreadable DLL says nothing about what it holds.
    }
  }
  return holders;
}
}  // namespace Diagnostics
