#pragma once

#include <cstdint>

namespace FS {
// How many times exists, isDirectory and readFile have looked at the disk, for tests that check
// that something reads nothing.
uint64_t probes();
}  // namespace FS
