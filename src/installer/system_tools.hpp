#pragma once

#include <filesystem>

// The absolute paths of the system programs the installer runs.
struct SystemTools {
  std::filesystem::path pgrep = "/usr/bin/pgrep";
  std::filesystem::path open = "/usr/bin/open";
  std::filesystem::path sysctl = "/usr/sbin/sysctl";
  std::filesystem::path arch = "/usr/bin/arch";
  std::filesystem::path file = "/usr/bin/file";
  std::filesystem::path xattr = "/usr/bin/xattr";
  std::filesystem::path bash = "/bin/bash";
  std::filesystem::path pkill = "/usr/bin/pkill";
  std::filesystem::path softwareupdate = "/usr/sbin/softwareupdate";
};

// The real tools unless setSystemTools was called; tests point them at fake scripts before any call.
const SystemTools& systemTools();
void setSystemTools(SystemTools tools);
