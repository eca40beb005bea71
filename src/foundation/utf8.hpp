#pragma once

#include <string>
#include <string_view>

// Text that comes from outside (a child's output, a file) made safe to handle as UTF-8.
// Ill-formed UTF-8 (bad lead bytes, missing or stray continuation bytes, overlong forms,
// surrogates, values past U+10FFFF) becomes U+FFFD, one per maximal bad subpart.
inline std::string toValidUTF8(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  size_t i = 0;
  while (i < in.size()) {
    auto b = static_cast<unsigned char>(in[i]);
    if (b < 0x80) {
      out += char(b);
      ++i;
      continue;
    }
    size_t len = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    size_t good = 0;
    if (len > 0) {
      good = 1;
      while (good < len && i + good < in.size()) {
        auto c = static_cast<unsigned char>(in[i + good]);
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
    }
    if (len > 0 && good == len) {
      out.append(in.substr(i, len));
      i += len;
    } else {
      out += "\xEF\xBF\xBD";
      i += good > 0 ? good : 1;
    }
  }
  return out;
}
