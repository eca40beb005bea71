#include "diagnostics/log_lines.hpp"

#include <array>
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

bool readable(std::string_view line) {
  bool wide = false;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F) return false;
    wide |= byte >= 0x80;
  }
  return !wide || Text::isValidUTF8(line);
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
