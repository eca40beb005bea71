// A mod's manifest.json -> the packages it depends on. The same manifest in UTF-16 (either byte
// order) reads the same, the loader pack is never among them, and writing the list back out as a
// manifest reads the same list again.
#include <nlohmann/json.hpp>

#include <string>

#include "foundation/loader_pack.hpp"
#include "foundation/text.hpp"
#include "fuzz_check.hpp"
#include "installer/installer.hpp"

namespace {
// Valid UTF-8 as UTF-16 code units with a byte-order mark.
std::string utf16(std::string_view text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  auto unit = [&](uint32_t u) {
    char hi = char(u >> 8), lo = char(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  };
  for (size_t i = 0; i < text.size();) {
    auto b = static_cast<unsigned char>(text[i]);
    size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    uint32_t cp = len == 1 ? b : len == 2 ? b & 0x1F : len == 3 ? b & 0x0F : b & 0x07;
    for (size_t k = 1; k < len; ++k) cp = cp << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += len;
    if (cp >= 0x10000) {
      unit(0xD800 + ((cp - 0x10000) >> 10));
      unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      unit(cp);
    }
  }
  return out;
}
}  // namespace

FUZZ_TARGET(bytes) {
  const auto found = Installer::parseDependencies(bytes);
  for (const auto& ref : found)
    FUZZ_CHECK(ref.name != LoaderPack::name, "the loader pack is installed on its own");

  if (!bytes.starts_with("\xEF\xBB\xBF") && Text::isValidUTF8(bytes)) {
    FUZZ_CHECK(Installer::parseDependencies(utf16(bytes, false)) == found, "UTF-16 LE reads the same");
    FUZZ_CHECK(Installer::parseDependencies(utf16(bytes, true)) == found, "UTF-16 BE reads the same");
  }

  nlohmann::json written = {{"dependencies", nlohmann::json::array()}};
  for (const auto& ref : found) written["dependencies"].push_back(ref.id() + "-1.0.0");
  FUZZ_CHECK(Installer::parseDependencies(written.dump()) == found, "what was read, written, reads the same");
}
