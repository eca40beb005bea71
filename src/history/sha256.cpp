// OpenSSL's digest uses the processor's SHA instructions where it has them (x86 SHA extensions,
// ARMv8 crypto), several times faster than portable code: hashing costs little beside the copy.
#include "history/sha256.hpp"

#include <openssl/evp.h>

#include <stdexcept>

std::string sha256Hex(std::string_view bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1)
    throw std::runtime_error("SHA-256 is not available");
  static constexpr char hex[] = "0123456789abcdef";
  std::string out;
  out.reserve(2 * length);
  for (unsigned int i = 0; i < length; ++i) {
    out += hex[digest[i] >> 4];
    out += hex[digest[i] & 15];
  }
  return out;
}
