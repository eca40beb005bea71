#include "foundation/base64.hpp"

#include <array>
#include <cstdint>

namespace Base64 {
namespace {
constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// -1 for characters outside the alphabet, -2 for the fill character.
constexpr std::array<int8_t, 256> makeTable() {
  std::array<int8_t, 256> table{};
  table.fill(-1);
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(alphabet[i])] = int8_t(i);
  table['='] = -2;
  return table;
}
constexpr auto table = makeTable();
}  // namespace

std::string encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    uint32_t n =
        uint32_t(uint8_t(bytes[i])) << 16 | uint32_t(uint8_t(bytes[i + 1])) << 8 | uint8_t(bytes[i + 2]);
    out += alphabet[n >> 18];
    out += alphabet[(n >> 12) & 63];
    out += alphabet[(n >> 6) & 63];
    out += alphabet[n & 63];
  }
  if (size_t rest = bytes.size() - i) {
    uint32_t n = uint32_t(uint8_t(bytes[i])) << 16;
    if (rest == 2) n |= uint32_t(uint8_t(bytes[i + 1])) << 8;
    out += alphabet[n >> 18];
    out += alphabet[(n >> 12) & 63];
    out += rest == 2 ? alphabet[(n >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::optional<std::string> decode(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 4 * 3);
  uint32_t group = 0;
  int count = 0;  // characters in the current group, fill included
  int fill = 0;  // "=" seen so far; only the final group may have them
  for (char c : text) {
    int8_t v = table[static_cast<unsigned char>(c)];
    if (v == -1) continue;
    if (v == -2) {
      ++fill;
    } else if (fill > 0) {
      return std::nullopt;  // data after the fill
    }
    group = group << 6 | uint32_t(v < 0 ? 0 : v);
    if (++count < 4) continue;
    if (fill > 2) return std::nullopt;
    out += char(group >> 16);
    if (fill < 2) out += char((group >> 8) & 0xFF);
    if (fill < 1) out += char(group & 0xFF);
    group = 0;
    count = 0;
  }
  if (count != 0) return std::nullopt;
  return out;
}
}  // namespace Base64
