#include "foundation/log.hpp"

#include <ctime>
#include <fstream>
#include <mutex>

#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "foundation/text.hpp"
#include "foundation/words.hpp"

namespace Log {
namespace {
std::mutex& lock() {
  static std::mutex m;
  return m;
}

std::string stamp() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
  return buf;
}
}  // namespace

void write(std::string_view message) noexcept {
  try {
    std::string line = stamp();
    line += ' ';
    line += message;
    line += '\n';
    std::lock_guard guard{lock()};
    std::error_code ec;
    std::filesystem::create_directories(Paths::logFile().parent_path(), ec);
    std::ofstream out{Paths::logFile(), std::ios::binary | std::ios::app};
    if (out) out.write(line.data(), std::streamsize(line.size()));
  } catch (...) {
    // Logging never fails toward its caller; at worst the line is lost.
  }
}

std::string tail(int lines) {
  std::string text;
  try {
    text = FS::readFile(Paths::logFile());
  } catch (...) {
    return Words::translate("Log", "No log yet.");
  }
  if (!Text::isValidUTF8(text)) return Words::translate("Log", "No log yet.");
  // Keep the last `lines` pieces of the text split at line feeds (empty pieces count).
  if (lines <= 0) return "";
  size_t start = text.size() + 1;
  for (int kept = 0; kept < lines; ++kept) {
    if (start == 0) return text;
    size_t feed = start >= 2 ? text.rfind('\n', start - 2) : std::string::npos;
    if (feed == std::string::npos) return text;
    start = feed + 1;
  }
  return text.substr(start);
}
}  // namespace Log
