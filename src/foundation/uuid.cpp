#include "foundation/uuid.hpp"

#include <cstdint>
#include <mutex>
#include <random>

std::string makeUUID() {
  static std::mutex lock;
  static std::mt19937_64 engine{std::random_device{}()};
  uint64_t hi, lo;
  {
    std::lock_guard guard{lock};
    hi = engine();
    lo = engine();
  }
  hi = (hi & ~0xF000ull) | 0x4000ull;  // version 4
  lo = (lo & 0x3FFFFFFFFFFFFFFFull) | 0x8000000000000000ull;  // RFC 4122 variant
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(36);
  auto put = [&](uint64_t word, int fromNibble, int count) {
    for (int i = 0; i < count; ++i) out += hex[(word >> (4 * (fromNibble - i))) & 0xF];
  };
  put(hi, 15, 8), out += '-', put(hi, 7, 4), out += '-', put(hi, 3, 4), out += '-';
  put(lo, 15, 4), out += '-', put(lo, 11, 12);
  return out;
}
