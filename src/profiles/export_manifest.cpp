// The mod list of a profile archive, "export.r2x": written as r2modman writes it, read leniently.
#include "profiles/export_manifest.hpp"

#include <algorithm>
#include <charconv>
#include <optional>

#include "foundation/package_id.hpp"

namespace ProfileStore {
namespace {
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
}  // namespace

std::string ExportEntry::version() const {
  return std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." +
         std::to_string(numbers[2]);
}

std::string writeExportManifest(const Profile& profile) {
  std::string out = "profileName: " + profile.name + "\nmods:\n";
  if (auto pack = profile.packInstalled ? profile.packInstalled : profile.packVersion)
    writeEntry(out, std::string(packID), *pack, true);
  for (const auto& mod : profile.mods)
    writeEntry(out, mod.id(), mod.installed.value_or(mod.version), mod.enabled);
  return out;
}

// A line-by-line reading of the few keys that matter; other keys, comments and any
// nesting other managers add are ignored. Carriage returns before line feeds are tolerated.
ExportManifest parseExportManifest(std::string_view text) {
  constexpr std::string_view blanks = " \t\r";
  ExportManifest result;
  std::optional<ExportEntry> open;
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
      open = ExportEntry{std::string(*v)};
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
}  // namespace ProfileStore
