#include "installer/internal.hpp"

#include <system_error>

#include "foundation/fs.hpp"

namespace fs = std::filesystem;

namespace Installer::detail {
namespace {
// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool validUTF8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) { ++i; continue; }
    size_t n;
    uint32_t cp;
    if ((c & 0xE0) == 0xC0) { n = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { n = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { n = 3; cp = c & 0x07; }
    else return false;
    if (i + n >= s.size()) return false;
    for (size_t k = 1; k <= n; ++k) {
      auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    static constexpr uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n + 1;
  }
  return true;
}
}  // namespace

std::optional<std::string> readUTF8(const path& p) {
  std::string bytes;
  try {
    bytes = FS::readFile(p);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (!validUTF8(bytes)) return std::nullopt;
  return bytes;
}

std::string trimmed(std::string_view text) {
  constexpr std::string_view space = " \t\n\r\v\f";
  auto first = text.find_first_not_of(space);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(space) - first + 1));
}

std::optional<Shell::Result> tryRun(const path& program, const std::vector<std::string>& args) noexcept {
  try {
    return Shell::run(program, args);
  } catch (...) {
    return std::nullopt;
  }
}

std::vector<std::string> entryNames(const path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  return names;
}

WorkFolder::WorkFolder() : path_(FS::tempDir()) {}
WorkFolder::~WorkFolder() { FS::remove(path_); }
}  // namespace Installer::detail
