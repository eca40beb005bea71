#include "foundation/paths.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace Paths {
namespace {
fs::path findHome() {
  if (const char* env = std::getenv("HOME"); env && *env) return env;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}
}  // namespace

// Function-local statics: each location is computed once, thread-safely, on first use.
const fs::path& home() {
  static const fs::path p = findHome();
  return p;
}
const fs::path& support() {
  static const fs::path p = home() / "Library/Application Support/Quernhold";
  return p;
}
const fs::path& profiles() {
  static const fs::path p = support() / "profiles";
  return p;
}
const fs::path& cache() {
  static const fs::path p = support() / "cache";
  return p;
}
const fs::path& settings() {
  static const fs::path p = support() / "settings.json";
  return p;
}
const fs::path& logFile() {
  static const fs::path p = home() / "Library/Logs/quernhold.log";
  return p;
}
const fs::path& gameLog() {
  static const fs::path p = home() / "Library/Logs/valheim-modded-launch.log";
  return p;
}
const fs::path& steamDir() {
  static const fs::path p = home() / "Library/Application Support/Steam";
  return p;
}
const fs::path& defaultGameDir() {
  static const fs::path p = steamDir() / "steamapps/common/Valheim";
  return p;
}
}  // namespace Paths
