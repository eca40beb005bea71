#include "installer/internal.hpp"

#include <system_error>

#include "foundation/fs.hpp"
#include "foundation/text.hpp"

namespace fs = std::filesystem;

namespace Installer::detail {

std::optional<std::string> readUTF8(const path& p) {
  std::string bytes;
  try {
    bytes = FS::readFile(p);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (!Text::isValidUTF8(bytes)) return std::nullopt;
  return bytes;
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
}  // namespace Installer::detail
