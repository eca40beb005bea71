// The index cache: whatever the strict reader accepts, writing it and reading it back gives the
// same packages, and writing those again gives the same text.
#include "catalogue/thunderstore.hpp"
#include "fuzz_check.hpp"

FUZZ_TARGET(bytes) {
  const auto packages = Fuzz::attempt([&] { return Thunderstore::decodeCache(bytes); });
  if (!packages) return;  // a damaged cache reads as no cache
  const std::string encoded = Thunderstore::encodeCache(*packages);
  const auto back = Fuzz::attempt([&] { return Thunderstore::decodeCache(encoded); });
  FUZZ_CHECK(back == packages, "the cache reads what it wrote: decode(encode(x)) == x");
  FUZZ_CHECK(Thunderstore::encodeCache(*back) == encoded, "encode(decode(encode(x))) == encode(x)");
}
