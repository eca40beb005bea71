// The profile archive shared with r2modman: a zip holding the manifest "export.r2x" and a copy
// of the profile's configuration folder.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "profiles/profile_store.hpp"

namespace fs = std::filesystem;

namespace {
constexpr const char* packID = "denikson-BepInExPack_Valheim";
constexpr const char* manifestName = "export.r2x";
constexpr size_t maxManifestBytes = 1 << 20;  // a mod list of thousands of mods is a few hundred KB

// Removes the given locations when the scope ends, however it ends.
struct Cleanup {
  std::vector<fs::path> items;
  ~Cleanup() {
    for (const auto& item : items) FS::remove(item);
  }
};

void writeEntry(std::string& out, const std::string& name, const std::string& version, bool enabled) {
  auto numbers = Version::parts(version);
  numbers.resize(3, 0);  // missing numbers are 0, numbers past the third are dropped
  out += "  - name: " + name + "\n";
  out += "    version:\n";
  out += "      major: " + std::to_string(numbers[0]) + "\n";
  out += "      minor: " + std::to_string(numbers[1]) + "\n";
  out += "      patch: " + std::to_string(numbers[2]) + "\n";
  out += std::string("    enabled: ") + (enabled ? "true" : "false") + "\n";
}

std::string manifest(const Profile& profile) {
  std::string out = "profileName: " + profile.name + "\nmods:\n";
  if (auto pack = profile.packInstalled ? profile.packInstalled : profile.packVersion)
    writeEntry(out, packID, *pack, true);
  for (const auto& mod : profile.mods)
    writeEntry(out, mod.id(), mod.installed.value_or(mod.version), mod.enabled);
  return out;
}

std::string_view trim(std::string_view s, std::string_view chars) {
  auto first = s.find_first_not_of(chars);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(chars) - first + 1);
}

// An optional sign and decimal digits; anything else, or too large a number, is 0.
int64_t decimal(std::string_view s) {
  bool negative = !s.empty() && s.front() == '-';
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  if (s.empty() || s.front() < '0' || s.front() > '9') return 0;
  uint64_t magnitude = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
  if (ec != std::errc{} || end != s.data() + s.size()) return 0;
  if (negative) return magnitude <= uint64_t(INT64_MAX) + 1 ? int64_t(0 - magnitude) : 0;
  return magnitude <= uint64_t(INT64_MAX) ? int64_t(magnitude) : 0;
}

struct ManifestEntry {
  std::string name;
  int64_t numbers[3] = {0, 0, 0};
  bool enabled = true;

  std::string version() const {
    return std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." +
           std::to_string(numbers[2]);
  }
};

struct Manifest {
  std::string profileName = "Imported";
  std::vector<ManifestEntry> entries;
};

// A line-by-line reading of the few keys that matter; other keys, comments and any
// nesting other managers add are ignored. Carriage returns before line feeds are tolerated.
Manifest parseManifest(std::string_view text) {
  constexpr std::string_view blanks = " \t\r";
  Manifest result;
  std::optional<ManifestEntry> open;
  auto close = [&] {
    if (open) result.entries.push_back(std::move(*open));
    open.reset();
  };
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = trim(text.substr(start, end - start), blanks);
    start = end + 1;
    auto value = [&](std::string_view prefix) -> std::optional<std::string_view> {
      if (!line.starts_with(prefix)) return std::nullopt;
      return trim(trim(line.substr(prefix.size()), blanks), "\"'");
    };
    if (line.empty()) continue;
    if (auto v = value("profileName:")) {
      result.profileName = std::string(*v);
    } else if (auto v = value("- name:")) {
      close();
      open = ManifestEntry{std::string(*v)};
    } else if (auto v = value("major:")) {
      if (open) open->numbers[0] = decimal(*v);
    } else if (auto v = value("minor:")) {
      if (open) open->numbers[1] = decimal(*v);
    } else if (auto v = value("patch:")) {
      if (open) open->numbers[2] = decimal(*v);
    } else if (auto v = value("enabled:")) {
      if (open) open->enabled = *v == "true";
    }
  }
  close();
  return result;
}
}  // namespace

namespace ProfileStore {

std::string exportZip(const Profile& profile) {
  fs::path work = FS::tempDir();
  fs::path archive = work.parent_path() / (work.filename().string() + ".zip");
  Cleanup cleanup{{archive, work}};

  FS::writeAtomic(work / manifestName, manifest(profile));
  fs::path config = profile.bepinex() / "config";
  if (FS::isDirectory(config)) FS::copyContents(config, work / "BepInEx" / "config", true);
  try {
    FS::zip(work, archive);
  } catch (const std::exception& e) {
    throw AppError(std::string("Couldn’t package the profile: ") + e.what());
  }
  return FS::readFile(archive);
}

ImportedProfile readExport(std::string_view data) {
  fs::path work = FS::tempDir();
  try {
    fs::path archive = work / "profile.zip";
    fs::path unpacked = work / "x";
    FS::writeAtomic(archive, data);
    FS::unzip(archive, unpacked, FS::profileArchiveLimits);

    std::string text;
    try {
      text = FS::readFile(unpacked / manifestName, maxManifestBytes);
    } catch (const fs::filesystem_error& e) {
      if (e.code() == std::errc::file_too_large) throw AppError("That profile code’s mod list is too large.");
      throw AppError("That profile code doesn’t contain a mod list.");
    }
    Manifest parsed = parseManifest(text);

    ImportedProfile imported{parsed.profileName, std::nullopt, {}, std::nullopt, work};
    for (const auto& entry : parsed.entries) {
      if (entry.name == packID)
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
    return imported;
  } catch (...) {
    FS::remove(work);
    throw;
  }
}

}  // namespace ProfileStore
