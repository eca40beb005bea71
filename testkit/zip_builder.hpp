#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds zip archives in tests, including hostile ones no well-behaved tool would write.
struct ZipEntry {
  std::string name;  // stored exactly as given: backslashes, "..", absolute names allowed
  std::string content;  // file bytes, or the link target when `symlink` is true
  bool symlink = false;
  bool directory = false;
};

std::string zipBytes(const std::vector<ZipEntry>& entries);
// `size` letters that barely compress, the same every time.
std::string incompressible(size_t size);

// One stored entry whose headers (local and central) declare `declaredSize` bytes but hold none:
// a few dozen bytes that claim gigabytes. Sizes from 4 GiB on are written as ZIP64.
std::string zipDeclaring(const std::string& name, uint64_t declaredSize);
