#include "diagnostics/log_lines.hpp"

#include <array>
#include <cctype>
#include <utility>

#include "foundation/text.hpp"

namespace Diagnostics::LogLines {
namespace {
constexpr std::array<std::pair<std::string_view, Level>, 6> levels{{
    {"Info", Level::info},
    {"Message", Level::message},
    {"Warning", Level::warning},
    {"Error", Level::error},
    {"Fatal", Level::fatal},
    {"Debug", Level::debug},
}};
}  // namespace

std::optional<Header> header(std::string_view line) {
  // The level is padded to seven characters, so the colon is the ninth character.
  if (line.size() < 11 || line[0] != '[' || line[8] != ':') return std::nullopt;
  const std::string_view level = Text::trim(line.substr(1, 7), " ");
  Header header;
  bool known = false;
  for (const auto& [word, value] : levels)
    if (level == word) {
      header.level = value;
      known = true;
    }
  if (!known) return std::nullopt;
  const size_t close = line.find(']', 9);
  if (close == std::string_view::npos) return std::nullopt;
  header.source = Text::trim(line.substr(9, close - 9), " ");
  header.text = line.substr(close + 1);
  if (!header.text.empty() && header.text[0] == ' ') header.text.remove_prefix(1);
  return header;
}

std::optional<std::string_view> readable(std::string_view line, std::string& scratch) {
  bool wide = false, control = false;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0) return std::nullopt;
    control |= (byte < 0x20 && byte != '\t') || byte == 0x7F;
    wide |= byte >= 0x80;
  }
  if (wide && !Text::isValidUTF8(line)) return std::nullopt;
  if (!control) return line;
  scratch.clear();
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
      scratch += "\xEF\xBF\xBD";
    else
      scratch += c;
  }
  return std::string_view(scratch);
}

bool hasText(std::string_view line) {
  for (const char c : line)
    if (std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

std::optional<std::string_view> tag(std::string_view text) {
  if (!text.starts_with('[')) return std::nullopt;
  const size_t close = text.find(']');
  if (close == std::string_view::npos || close < 2 || close > 64) return std::nullopt;
  const std::string_view name = text.substr(1, close - 1);
  // A name, not a time ("[12:01:02]"), a level ("[Info]") or a list.
  if (!std::isalpha(static_cast<unsigned char>(name[0]))) return std::nullopt;
  for (const char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != ' ' && c != '.' && c != '_' && c != '-')
      return std::nullopt;
  for (const auto& [word, level] : levels)
    if (name == word) return std::nullopt;
  return name;
}

Plugin splitPlugin(std::string_view bracket) {
  const size_t space = bracket.rfind(' ');
  if (space == std::string_view::npos) return {bracket, {}};
  return {bracket.substr(0, space), bracket.substr(space + 1)};
}

std::optional<std::string_view> bracketAfter(std::string_view text, std::string_view prefix,
                                             std::string_view close, std::string_view* rest) {
  if (!text.starts_with(prefix)) return std::nullopt;
  text.remove_prefix(prefix.size());
  const size_t end = close.empty() ? text.rfind(']') : text.find(close);
  if (end == std::string_view::npos) return std::nullopt;
  if (rest) *rest = text.substr(end + (close.empty() ? 1 : close.size()));
  return text.substr(0, end);
}

bool startsWithException(std::string_view text) {
  const size_t end = text.find_first_of(": ");
  const std::string_view word = text.substr(0, end);
  return word.ends_with("Exception") && (end == std::string_view::npos || text[end] == ':');
}
}  // namespace Diagnostics::LogLines
