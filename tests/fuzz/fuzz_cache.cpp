// The index cache: whatever the strict reader accepts, writing it and reading it back gives the
// same packages, and writing those again gives the same text.
#include <stdexcept>

#include "catalogue/thunderstore.hpp"
#include "fuzz_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<TSPackage> packages;
  try {
    packages = Thunderstore::decodeCache(Fuzz::bytes(data, size));
  } catch (const std::runtime_error&) {
    return 0;  // a damaged cache reads as no cache
  }
  const std::string encoded = Thunderstore::encodeCache(packages);
  std::vector<TSPackage> back;
  try {
    back = Thunderstore::decodeCache(encoded);
  } catch (const std::runtime_error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    FUZZ_CHECK(false, "the cache reads what it wrote");
  }
  FUZZ_CHECK(back == packages, "decode(encode(x)) == x");
  FUZZ_CHECK(Thunderstore::encodeCache(back) == encoded, "encode(decode(encode(x))) == encode(x)");
  return 0;
}
