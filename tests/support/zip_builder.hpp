#pragma once

#include <string>
#include <vector>

// Builds zip archives in tests, including hostile ones no well-behaved tool would write.
struct ZipEntry {
  std::string name;     // stored exactly as given: backslashes, "..", absolute names allowed
  std::string content;  // file bytes, or the link target when `symlink` is true
  bool symlink = false;
  bool directory = false;
};

std::string zipBytes(const std::vector<ZipEntry>& entries);
