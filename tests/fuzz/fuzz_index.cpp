// The catalogue's package list: every package read has versions and its newest one as `latest`,
// reading in place reads the same, and the index cache holds exactly what was read.
#include "catalogue/thunderstore.hpp"
#include "fuzz_check.hpp"

FUZZ_TARGET(json) {
  const auto packages = Fuzz::attempt([&] { return Thunderstore::decodeIndex(json); });
  std::string inPlace(json);
  FUZZ_CHECK(Fuzz::attempt([&] { return Thunderstore::decodeIndex(inPlace); }) == packages,
             "reading in place reads the same, or fails the same");
  if (!packages) return;
  FUZZ_CHECK(inPlace == json, "reading in place leaves the text as it was");
  for (const TSPackage& p : *packages)
    FUZZ_CHECK(!p.versions.empty() && p.latest == p.versions.front(), "latest is the first version");
  const auto cached =
      Fuzz::attempt([&] { return Thunderstore::decodeCache(Thunderstore::encodeCache(*packages)); });
  FUZZ_CHECK(cached == packages, "the cache reads back every list the catalogue sends, exactly");
}
