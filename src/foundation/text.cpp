#include "foundation/text.hpp"

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>
#include <version>

namespace Text {
namespace {
// Unicode white space and line breaks, as UTF-8.
constexpr std::string_view unicodeSpaces[] = {" ",
                                              "\t",
                                              "\n",
                                              "\v",
                                              "\f",
                                              "\r",
                                              "\xC2\x85",
                                              "\xC2\xA0",
                                              "\xE1\x9A\x80",
                                              "\xE2\x80\x80",
                                              "\xE2\x80\x81",
                                              "\xE2\x80\x82",
                                              "\xE2\x80\x83",
                                              "\xE2\x80\x84",
                                              "\xE2\x80\x85",
                                              "\xE2\x80\x86",
                                              "\xE2\x80\x87",
                                              "\xE2\x80\x88",
                                              "\xE2\x80\x89",
                                              "\xE2\x80\x8A",
                                              "\xE2\x80\xA8",
                                              "\xE2\x80\xA9",
                                              "\xE2\x80\xAF",
                                              "\xE2\x81\x9F",
                                              "\xE3\x80\x80"};

// The bytes at `i` that form one well-formed sequence (`valid`), or else the maximal bad subpart.
struct Sequence {
  size_t length;
  bool valid;
};

Sequence sequenceAt(std::string_view in, size_t i) {
  const auto b = static_cast<unsigned char>(in[i]);
  if (b < 0x80) return {1, true};
  const size_t len = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
  if (len == 0) return {1, false};
  size_t good = 1;
  while (good < len && i + good < in.size()) {
    const auto c = static_cast<unsigned char>(in[i + good]);
    unsigned char lo = 0x80, hi = 0xBF;
    if (good == 1) {  // the second byte's range rules out overlongs and surrogates
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    }
    if (c < lo || c > hi) break;
    ++good;
  }
  return {good, good == len};
}
}  // namespace

std::string_view trim(std::string_view text, std::string_view chars) {
  const auto first = text.find_first_not_of(chars);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(chars) - first + 1);
}

std::string_view trimUnicodeSpace(std::string_view text) {
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    for (auto space : unicodeSpaces) {
      if (text.starts_with(space)) text.remove_prefix(space.size()), trimmed = true;
      if (text.ends_with(space)) text.remove_suffix(space.size()), trimmed = true;
    }
  }
  return text;
}

std::optional<int64_t> parseInt64(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '+' || negative)) text.remove_prefix(1);
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  uint64_t magnitude = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (negative) {
    if (magnitude > uint64_t(INT64_MAX) + 1) return std::nullopt;
    return int64_t(0 - magnitude);
  }
  if (magnitude > uint64_t(INT64_MAX)) return std::nullopt;
  return int64_t(magnitude);
}

namespace {
// Whether `text` is a decimal number in the one shape parseDecimal takes, so that both ways of
// converting it below read the same texts.
bool isDecimal(std::string_view text) {
  size_t i = 0;
  auto digits = [&] {
    const size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t mantissa = digits();
  if (i < text.size() && text[i] == '.') ++i, mantissa += digits();
  if (mantissa == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == text.size();
}
}  // namespace

std::optional<double> parseDecimal(std::string_view text) {
  if (!isDecimal(text)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  double number = 0;
  // libc++ has no floating-point from_chars before version 20 (Apple's included); a stream in the
  // classic locale reads the same texts there, never with the user's decimal comma.
#if defined(__cpp_lib_to_chars) && !defined(QH_PORTABLE_DECIMAL)
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
#else
  std::istringstream stream{std::string(text)};
  stream.imbue(std::locale::classic());
  stream >> number;
  if (stream.fail()) return std::nullopt;
#endif
  if (!std::isfinite(number)) return std::nullopt;
  return number;
}

bool isValidUTF8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const Sequence s = sequenceAt(text, i);
    if (!s.valid) return false;
    i += s.length;
  }
  return true;
}

std::string toValidUTF8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const Sequence s = sequenceAt(text, i);
    if (s.valid)
      out.append(text.substr(i, s.length));
    else
      out += "\xEF\xBF\xBD";
    i += s.length;
  }
  return out;
}
}  // namespace Text
