// Base64: any bytes survive encoding, line breaks in the text change nothing, and whatever text
// decodes re-encodes to as many alphabet characters as it had.
#include <string>

#include "foundation/base64.hpp"
#include "fuzz_check.hpp"

namespace {
bool significant(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/' ||
         c == '=';
}
}  // namespace

FUZZ_TARGET(bytes) {
  const std::string encoded = Base64::encode(bytes);
  FUZZ_CHECK(encoded.size() == (bytes.size() + 2) / 3 * 4, "four characters for every three bytes");
  FUZZ_CHECK(Base64::decode(encoded) == std::string(bytes), "decode(encode(x)) == x");
  std::string wrapped;  // as a mail client or a web page would wrap it
  for (size_t i = 0; i < encoded.size(); i += 76) wrapped += encoded.substr(i, 76) + "\r\n";
  FUZZ_CHECK(Base64::decode(wrapped) == std::string(bytes), "line breaks are skipped");

  if (auto decoded = Base64::decode(bytes)) {
    const std::string again = Base64::encode(*decoded);
    FUZZ_CHECK(Base64::decode(again) == decoded, "decode(encode(decode(t))) == decode(t)");
    size_t kept = 0;
    for (char c : bytes) kept += significant(c);
    FUZZ_CHECK(kept == again.size(), "only characters outside the alphabet are skipped");
  }
}
