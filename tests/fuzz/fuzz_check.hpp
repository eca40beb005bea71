#pragma once
// Shared by the fuzz targets. A failed property aborts, so libFuzzer keeps the input as a crash
// and the replay program fails its test.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string_view>

#define FUZZ_CHECK(condition, what)                                                                       \
  do {                                                                                                    \
    if (!(condition)) {                                                                                   \
      std::fprintf(stderr, "%s:%d: property failed: %s\n  (%s)\n", __FILE__, __LINE__, what, #condition); \
      std::abort();                                                                                       \
    }                                                                                                     \
  } while (0)

// The entry point libFuzzer calls, over the input's bytes as `bytes`: FUZZ_TARGET(bytes) { ... }
#define FUZZ_TARGET(bytes)                                                  \
  static void fuzzOne(std::string_view bytes);                              \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
    fuzzOne({reinterpret_cast<const char*>(data), size});                   \
    return 0;                                                               \
  }                                                                         \
  static void fuzzOne(std::string_view bytes)

namespace Fuzz {
// What `read` returns, or nothing when it fails with a std::runtime_error (a decoder's refusal).
template <class Read>
auto attempt(Read read) -> std::optional<decltype(read())> {
  try {
    return read();
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}
}  // namespace Fuzz
