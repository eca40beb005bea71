#pragma once
// Shared by the fuzz targets. A failed property aborts, so libFuzzer keeps the input as a crash
// and the replay program fails its test.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition, what)                                                                       \
  do {                                                                                                    \
    if (!(condition)) {                                                                                   \
      std::fprintf(stderr, "%s:%d: property failed: %s\n  (%s)\n", __FILE__, __LINE__, what, #condition); \
      std::abort();                                                                                       \
    }                                                                                                     \
  } while (0)

namespace Fuzz {
inline std::string_view bytes(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}
}  // namespace Fuzz
