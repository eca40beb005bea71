// The mod list of a profile archive, "export.r2x": written as r2modman writes it, read leniently.
#include "profiles/export_manifest.hpp"

#include <algorithm>
#include <optional>

#include "foundation/loader_pack.hpp"
#include "foundation/package_id.hpp"
#include "foundation/text.hpp"

namespace ProfileStore {
namespace {
// A YAML scalar: plain when it reads back as itself, else double-quoted with escapes. Plain text
// may not start with an indicator, hold ": " or " #" (YAML would read a mapping or a comment), nor
// start or end with blanks or quotes (both readers trim those).
std::string scalar(std::string_view text) {
  constexpr std::string_view indicators = "-?:,[]{}#&*!|>'\"%@` \t";
  bool plain =
      text.empty() ||
      (indicators.find(text.front()) == std::string_view::npos &&
       std::string_view(" \t:'\"").find(text.back()) == std::string_view::npos &&
       text.find(": ") == std::string_view::npos && text.find(" #") == std::string_view::npos &&
       std::none_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x20 || c == 0x7F; }));
  if (plain) return std::string(text);
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\')
      out += {'\\', c};
    else if (c == '\n')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else if (u < 0x20 || u == 0x7F)
      out += {'\\', 'x', hex[u >> 4], hex[u & 15]};
    else
      out += c;
  }
  return out + "\"";
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void appendUTF8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += {char(0xC0 | cp >> 6), char(0x80 | (cp & 0x3F))};
  } else if (cp < 0x10000) {
    out += {char(0xE0 | cp >> 12), char(0x80 | (cp >> 6 & 0x3F)), char(0x80 | (cp & 0x3F))};
  } else {
    out += {char(0xF0 | cp >> 18), char(0x80 | (cp >> 12 & 0x3F)), char(0x80 | (cp >> 6 & 0x3F)),
            char(0x80 | (cp & 0x3F))};
  }
}

// The inside of a double-quoted YAML scalar. Escapes it does not know are kept as written.
std::string unescape(std::string_view in) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '\\' || i + 1 == in.size()) {
      out += in[i];
      continue;
    }
    char e = in[++i];
    size_t digits = e == 'x' ? 2 : e == 'u' ? 4 : e == 'U' ? 8 : 0;
    if (digits) {
      uint32_t cp = 0;
      size_t k = 0;
      for (; k < digits && i + 1 + k < in.size() && hexDigit(in[i + 1 + k]) >= 0; ++k)
        cp = cp << 4 | uint32_t(hexDigit(in[i + 1 + k]));
      if (k == digits && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF)) {
        appendUTF8(out, cp);
        i += digits;
      } else {
        out += {'\\', e};
      }
      continue;
    }
    switch (e) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '0': out += '\0'; break;
      case '"':
      case '\\':
      case '/':
      case ' ': out += e; break;
      default: out += {'\\', e};
    }
  }
  return out;
}

// A value as r2modman's YAML writer or a hand may have written it: double-quoted with escapes,
// single-quoted with '' for a quote, or plain; stray quotes around a plain value are dropped.
std::string readScalar(std::string_view v) {
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return unescape(v.substr(1, v.size() - 2));
  if (v.size() >= 2 && v.front() == '\'' && v.back() == '\'') {
    std::string out;
    for (size_t i = 1; i + 1 < v.size(); ++i) {
      out += v[i];
      if (v[i] == '\'' && v[i + 1] == '\'' && i + 2 < v.size()) ++i;
    }
    return out;
  }
  return std::string(Text::trim(v, "\"'"));
}

// The items of an inline YAML list, trimmed; commas inside quotes do not split.
std::vector<std::string_view> inlineList(std::string_view list) {
  std::vector<std::string_view> items;
  char quote = 0;
  size_t start = 0;
  for (size_t i = 0; i <= list.size(); ++i) {
    if (i < list.size() && quote) {
      if (list[i] == quote) quote = 0;
    } else if (i < list.size() && (list[i] == '"' || list[i] == '\'')) {
      quote = list[i];
    } else if (i == list.size() || list[i] == ',') {
      std::string_view item = Text::trim(list.substr(start, i - start), " \t");
      if (!item.empty()) items.push_back(item);
      start = i + 1;
    }
  }
  return items;
}

void writeEntry(std::string& out, const std::string& name, const std::string& version, bool enabled) {
  auto numbers = Version::parts(version);
  numbers.resize(3, 0);  // missing numbers are 0, numbers past the third are dropped
  out += "  - name: " + scalar(name) + "\n";
  out += "    version:\n";
  out += "      major: " + std::to_string(numbers[0]) + "\n";
  out += "      minor: " + std::to_string(numbers[1]) + "\n";
  out += "      patch: " + std::to_string(numbers[2]) + "\n";
  out += std::string("    enabled: ") + (enabled ? "true" : "false") + "\n";
}
}  // namespace

std::string ExportEntry::version() const {
  return std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." + std::to_string(numbers[2]);
}

std::string writeExportManifest(const Profile& profile, const HeldVersions& holds) {
  std::string out = "profileName: " + scalar(profile.name) + "\nmods:\n";
  std::vector<std::string> held;
  auto write = [&](const std::string& name, const std::string& version, bool enabled) {
    writeEntry(out, name, version, enabled);
    if (holds.count(name)) held.push_back(name);
  };
  if (auto pack = profile.packInstalled ? profile.packInstalled : profile.packVersion)
    write(std::string(LoaderPack::id), *pack, true);
  for (const auto& mod : profile.mods) write(mod.id(), mod.installed.value_or(mod.version), mod.enabled);
  if (!held.empty()) out += "ignoredUpdates:\n";
  for (const auto& name : held) out += "  - " + scalar(name) + "\n";
  return out;
}

// A line-by-line reading of the few keys that matter; other keys, comments and any
// nesting other managers add are ignored. Carriage returns before line feeds are tolerated.
ExportManifest parseExportManifest(std::string_view text) {
  constexpr std::string_view blanks = " \t\r";
  ExportManifest result;
  std::optional<ExportEntry> open;
  bool inHeldList = false;  // after "ignoredUpdates:", until a line that is not a list item
  auto close = [&] {
    if (open) result.entries.push_back(std::move(*open));
    open.reset();
  };
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = Text::trim(text.substr(start, end - start), blanks);
    start = end + 1;
    auto value = [&](std::string_view prefix) -> std::optional<std::string_view> {
      if (!line.starts_with(prefix)) return std::nullopt;
      return Text::trim(line.substr(prefix.size()), blanks);
    };
    if (line.empty() || line.starts_with('#')) continue;
    inHeldList = inHeldList && line.starts_with("- ") && !line.starts_with("- name:");
    if (inHeldList) {
      result.ignoredUpdates.push_back(readScalar(Text::trim(line.substr(2), blanks)));
    } else if (auto held = value("ignoredUpdates:")) {
      // A block list follows, or the list is written inline: "[]", "[A-Mod, B-Mod]".
      inHeldList = held->empty();
      if (held->starts_with('[') && held->ends_with(']'))
        for (const auto& name : inlineList(held->substr(1, held->size() - 2)))
          result.ignoredUpdates.push_back(readScalar(name));
    } else if (auto name = value("profileName:")) {
      result.profileName = readScalar(*name);
    } else if (auto mod = value("- name:")) {
      close();
      open = ExportEntry{readScalar(*mod)};
    } else if (open) {
      static constexpr std::string_view numberKeys[] = {"major:", "minor:", "patch:"};
      for (size_t i = 0; i < 3; ++i)
        if (auto number = value(numberKeys[i]))
          open->numbers[i] = Text::parseInt64(readScalar(*number)).value_or(0);
      if (auto enabled = value("enabled:")) open->enabled = readScalar(*enabled) == "true";
    }
  }
  close();
  return result;
}

HeldVersions heldVersions(const ExportManifest& manifest) {
  HeldVersions holds;
  for (const auto& name : manifest.ignoredUpdates) {
    auto entry = std::find_if(manifest.entries.rbegin(), manifest.entries.rend(),
                              [&](const ExportEntry& e) { return e.name == name; });
    if (entry != manifest.entries.rend()) holds[name] = entry->version();
  }
  return holds;
}
}  // namespace ProfileStore
