// A changelog from the catalogue cut to the versions after the installed one: the whole text when
// nothing is cut, and otherwise only lines of the text.
#include <string>

#include "catalogue/changelog.hpp"
#include "fuzz_check.hpp"

FUZZ_TARGET(bytes) {
  for (const char* installed : {"", "0.0.1", "1.0.0", "2.21.0", "99.0"}) {
    const Changelog::Slice slice = Changelog::newerThan(bytes, installed);
    if (!slice.cut) {
      FUZZ_CHECK(slice.markdown == bytes, "a changelog not cut is the whole text");
      continue;
    }
    std::string_view rest = slice.markdown;
    while (!rest.empty()) {
      const size_t br = rest.find('\n');
      const std::string_view line = rest.substr(0, br);
      FUZZ_CHECK(line.empty() || bytes.find(line) != std::string_view::npos,
                 "a cut changelog holds its own lines");
      rest = br == std::string_view::npos ? std::string_view{} : rest.substr(br + 1);
    }
  }
}
