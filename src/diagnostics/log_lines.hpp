#pragma once

#include <optional>
#include <string_view>

// The shapes of single lines of the loader's log. Every loader line starts with a header,
// "[Level  :   Source] text"; a line without one continues the entry before it.
namespace Diagnostics::LogLines {

enum class Level { debug, info, message, warning, error, fatal };

struct Header {
  Level level = Level::info;
  std::string_view source;  // "BepInEx", "Unity Log", "HarmonyX" or a plug-in's own logger
  std::string_view text;  // after the header and its one space
};
std::optional<Header> header(std::string_view line);

// A line as it can be read: none when it is not valid UTF-8 or holds a NUL byte (binary garbage);
// else the line, with any other control character (plug-ins write some) shown as U+FFFD in a copy
// made in `scratch`.
std::optional<std::string_view> readable(std::string_view line, std::string& scratch);

// Whether a line holds a letter or a digit, not only blanks or a separator ("-----").
bool hasText(std::string_view line);

// The plug-in a message names with a leading tag: "MyMod" of "[MyMod] Could not …".
std::optional<std::string_view> tag(std::string_view text);

// "Name Version" inside a loader bracket, split at the last space; names hold spaces and brackets.
struct Plugin {
  std::string_view name, version;
};
Plugin splitPlugin(std::string_view bracket);

// The bracket after `prefix` at the start of `text`, closed by `close` ("] because "); the text after
// the closing goes to `rest`. With an empty `close` the bracket runs to the last "]" of the line.
std::optional<std::string_view> bracketAfter(std::string_view text, std::string_view prefix,
                                             std::string_view close, std::string_view* rest = nullptr);

// "NullReferenceException: …", "System.IO.IOException: …" or one that comes bare.
bool startsWithException(std::string_view text);
}  // namespace Diagnostics::LogLines
