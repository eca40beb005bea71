#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One setting of a BepInEx configuration file: "key = value" under a [Section], with what the
// comments above it say about it.
struct ConfigEntry {
  std::string section, key, value;
  std::string description;  // the "##" lines, joined with line feeds
  std::string type;  // "# Setting type: …", empty when not stated
  std::optional<std::string> defaultValue;
  std::optional<std::string> rangeMin, rangeMax;  // "# Acceptable value range: From … to …"
  std::vector<std::string> allowedValues;  // "# Acceptable values: a, b, c"
  bool flags = false;  // an enum whose values combine, comma-separated
  size_t line = 0;  // the line that holds "key = value"
  bool operator==(const ConfigEntry&) const = default;
};

// The loader's files are kilobytes; a larger one is not one of them (and would not fit on screen).
inline constexpr size_t configReadLimit = 64u << 20;

// A configuration file as the loader writes it. Every line is kept as read, with its own line end,
// so writing it back gives the same bytes except for values that were set.
class ConfigFile {
 public:
  static ConfigFile parse(std::string_view bytes);
  // Reads and parses the file; throws the platform's error when it cannot be read or passes the limit.
  static ConfigFile read(const std::filesystem::path& file);

  const std::vector<ConfigEntry>& entries() const { return entries_; }
  // The plugin's name from the "## Settings file was created by plugin …" line, if there is one.
  const std::optional<std::string>& pluginName() const { return pluginName_; }
  // Replaces the entry's value on its line; nothing else changes.
  void setValue(size_t entry, std::string_view value);
  std::string bytes() const;
  // Writes bytes() atomically.
  void write(const std::filesystem::path& file) const;

 private:
  struct Line {
    std::string text;  // without the line end
    std::string end;  // "\n", "\r\n" or "" for the last line
  };
  void splitLines(std::string_view bytes);
  std::string bom_;
  std::vector<Line> lines_;
  std::vector<ConfigEntry> entries_;
  std::vector<size_t> valueStart_;  // per entry: where the value begins on its line
  std::optional<std::string> pluginName_;
};

// Text without the spaces and tabs around it, as the loader reads keys and values.
std::string_view configTrim(std::string_view text);
// The non-empty parts of a comma-separated list, trimmed ("Easy, Normal, Hard"; "Debug, Warning").
std::vector<std::string> configList(std::string_view list);

// The plugin's name in a file's first lines, without reading it all.
std::optional<std::string> configPluginName(std::string_view head);
