// The loader's configuration files, read line by line and written back with only set values changed.
#include "profiles/config_file.hpp"

#include <algorithm>
#include <cctype>

#include "foundation/fs.hpp"
#include "foundation/text.hpp"

namespace {
constexpr std::string_view blanks = " \t";
constexpr std::string_view bom = "\xEF\xBB\xBF";
constexpr std::string_view createdBy = "## Settings file was created by plugin ";

// The text after `prefix` when `line` starts with it.
std::optional<std::string_view> after(std::string_view line, std::string_view prefix) {
  if (!line.starts_with(prefix)) return std::nullopt;
  return line.substr(prefix.size());
}

// A range comment is written in the number format of the machine the plug-in ran on ("0,1"), while
// the loader reads values with a point ("0.1"): the range is read the loader's way.
std::string decimalPoint(std::string_view number) {
  std::string text(number);
  if (std::count(text.begin(), text.end(), ',') == 1 && text.find('.') == std::string::npos)
    text[text.find(',')] = '.';
  return text;
}

// What the comments above an entry have said so far; a blank line or a header forgets it, a
// plug-in's own uncommented note (a list of allowed values) does not.
struct Pending {
  std::string description;
  ConfigEntry facts;
  void comment(std::string_view body);  // a "# …" line, without the "#"
};

void Pending::comment(std::string_view body) {
  body = configTrim(body);
  if (auto type = after(body, "Setting type:")) {
    facts.type = configTrim(*type);
  } else if (auto value = after(body, "Default value:")) {
    facts.defaultValue = std::string(configTrim(*value));
  } else if (auto range = after(body, "Acceptable value range: From ")) {
    auto to = range->find(" to ");
    if (to == std::string_view::npos) return;
    facts.rangeMin = decimalPoint(configTrim(range->substr(0, to)));
    facts.rangeMax = decimalPoint(configTrim(range->substr(to + 4)));
  } else if (auto values = after(body, "Acceptable values:")) {
    facts.allowedValues = configList(*values);
  } else if (body.starts_with("Multiple values can be set at the same time")) {
    facts.flags = true;
  }
}
}  // namespace

std::string_view configTrim(std::string_view s) { return Text::trim(s, blanks); }

std::vector<std::string> configList(std::string_view list) {
  std::vector<std::string> items;
  while (!list.empty()) {
    auto comma = list.find(',');
    if (auto item = configTrim(list.substr(0, comma)); !item.empty()) items.emplace_back(item);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return items;
}

std::optional<std::string> configPluginName(std::string_view head) {
  if (head.starts_with(bom)) head.remove_prefix(bom.size());
  for (size_t at = 0; at < head.size();) {
    auto end = head.find('\n', at);
    auto line = configTrim(head.substr(at, end == std::string_view::npos ? end : end - at));
    if (!line.empty() && line.back() == '\r') line = configTrim(line.substr(0, line.size() - 1));
    if (auto name = after(line, createdBy)) {
      // "Example Mod v1.2.0": the version is the last word when it starts with v and a digit.
      auto v = name->rfind(" v");
      if (v != std::string_view::npos && v + 2 < name->size() && std::isdigit((unsigned char)(*name)[v + 2]))
        name = name->substr(0, v);
      if (auto n = configTrim(*name); !n.empty()) return std::string(n);
      return std::nullopt;
    }
    if (!line.empty() && line.front() == '[') return std::nullopt;  // past the file's header
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  return std::nullopt;
}

ConfigFile ConfigFile::parse(std::string_view bytes) {
  ConfigFile file;
  if (bytes.starts_with(bom)) {
    file.bom_ = bom;
    bytes.remove_prefix(bom.size());
  }
  file.splitLines(bytes);

  std::string section;
  Pending pending;
  for (size_t i = 0; i < file.lines_.size(); ++i) {
    std::string_view text = file.lines_[i].text;
    auto line = configTrim(text);
    if (auto d = after(line, "##")) {
      if (!pending.description.empty()) pending.description += '\n';
      pending.description += d->starts_with(' ') ? d->substr(1) : *d;
      continue;
    }
    if (auto c = after(line, "#")) {
      pending.comment(*c);
      continue;
    }
    auto eq = line.find('=');
    // A plug-in's note between the comments and their entry keeps what the comments said.
    if (!line.empty() && !line.starts_with('[') && eq == std::string_view::npos) continue;
    if (line.starts_with('[') && line.ends_with(']')) {
      section = configTrim(line.substr(1, line.size() - 2));
    } else if (!line.starts_with('[') && eq != std::string_view::npos &&
               !configTrim(line.substr(0, eq)).empty()) {
      ConfigEntry entry = std::move(pending.facts);
      entry.section = section;
      entry.key = configTrim(line.substr(0, eq));
      entry.value = configTrim(line.substr(eq + 1));
      entry.description = std::move(pending.description);
      entry.line = i;
      auto start = text.find('=') + 1;
      while (start < text.size() && blanks.find(text[start]) != std::string_view::npos) ++start;
      file.valueStart_.push_back(start);
      file.entries_.push_back(std::move(entry));
    }
    // Anything else (blank, a header without "]", a line without a key) is kept as it is.
    pending = {};
  }
  file.pluginName_ = configPluginName(bytes.substr(0, 4096));
  return file;
}

void ConfigFile::splitLines(std::string_view bytes) {
  lines_.reserve(size_t(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  for (size_t at = 0; at <= bytes.size();) {
    auto nl = bytes.find('\n', at);
    if (nl == std::string_view::npos) {
      if (at < bytes.size()) lines_.push_back({std::string(bytes.substr(at)), ""});
      break;
    }
    bool crlf = nl > at && bytes[nl - 1] == '\r';
    lines_.push_back({std::string(bytes.substr(at, nl - at - crlf)), crlf ? "\r\n" : "\n"});
    at = nl + 1;
  }
}

ConfigFile ConfigFile::read(const std::filesystem::path& file) {
  return parse(FS::readFile(file, configReadLimit));
}

void ConfigFile::setValue(size_t entry, std::string_view value) {
  // A value ends at its line's end: line breaks in it would make lines of their own.
  std::string clean(value);
  for (char& c : clean)
    if (c == '\n' || c == '\r') c = ' ';
  ConfigEntry& e = entries_.at(entry);
  std::string& text = lines_[e.line].text;
  size_t start = valueStart_[entry];
  auto last = text.find_last_not_of(blanks);
  size_t end = last == std::string::npos || last < start ? start : last + 1;
  text = text.substr(0, start) + clean + text.substr(end);
  e.value = configTrim(clean);
}

std::string ConfigFile::bytes() const {
  size_t size = bom_.size();
  for (const Line& l : lines_) size += l.text.size() + l.end.size();
  std::string out;
  out.reserve(size);
  out += bom_;
  for (const Line& l : lines_) {
    out += l.text;
    out += l.end;
  }
  return out;
}

void ConfigFile::write(const std::filesystem::path& file) const { FS::writeAtomic(file, bytes()); }
