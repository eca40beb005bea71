// The catalogue's package list: every package read has versions and its newest one as `latest`,
// reading in place reads the same, and the index cache holds exactly what was read.
#include <stdexcept>

#include "catalogue/thunderstore.hpp"
#include "fuzz_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view json = Fuzz::bytes(data, size);
  std::vector<TSPackage> packages;
  try {
    packages = Thunderstore::decodeIndex(json);
  } catch (const std::runtime_error&) {
    std::string copy(json);
    try {
      Thunderstore::decodeIndex(copy);
    } catch (const std::runtime_error&) {
      return 0;
    }
    FUZZ_CHECK(false, "reading in place fails like reading a copy");
  }
  for (const TSPackage& p : packages) {
    FUZZ_CHECK(!p.versions.empty() && p.latest == p.versions.front(), "latest is the first version");
  }
  std::string inPlace(json);
  FUZZ_CHECK(Thunderstore::decodeIndex(inPlace) == packages, "reading in place reads the same");
  FUZZ_CHECK(inPlace == json, "reading in place leaves the text as it was");

  std::vector<TSPackage> cached;
  try {
    cached = Thunderstore::decodeCache(Thunderstore::encodeCache(packages));
  } catch (const std::runtime_error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    FUZZ_CHECK(false, "the cache reads back every list the catalogue sends");
  }
  FUZZ_CHECK(cached == packages, "index -> cache -> index is exact");
  return 0;
}
