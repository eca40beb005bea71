#include "diagnostics/launch_report_command.hpp"

#include <fcntl.h>

#include <system_error>

#include "diagnostics/log_reader.hpp"
#include "diagnostics/report_json.hpp"
#include "foundation/file_descriptor.hpp"
#include "foundation/fs.hpp"
#include "profiles/profile_store.hpp"

namespace Diagnostics {
namespace fs = std::filesystem;

namespace {
[[noreturn]] void fail(const fs::path& file, int error) {
  throw fs::filesystem_error("read", file, std::error_code(error, std::generic_category()));
}

// The platform's reason alone ("No such file or directory"), for a sentence of our own.
std::string reason(const std::exception& error) {
  if (const auto* system = dynamic_cast<const std::system_error*>(&error)) return system->code().message();
  return error.what();
}
}  // namespace

LaunchReport readLogFile(const fs::path& log, const ModClues& clues) {
  const FileDescriptor fd(::open(log.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) fail(log, errno);
  LogReader reader(clues);
  std::string buffer(1u << 20, '\0');
  for (;;) {
    const ssize_t n = retryOnInterrupt([&] { return ::read(fd.get(), buffer.data(), buffer.size()); });
    if (n < 0) fail(log, errno);
    if (n == 0) break;
    reader.append(std::string_view(buffer.data(), size_t(n)));
  }
  reader.finish();
  return reader.report();
}

int launchReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const bool withProfile = args.size() == 3 && args[1] == "--profile";
  if (!(args.size() == 1 || withProfile) || args[0].empty() || args[0].starts_with("--")) {
    err << "Usage: quernhold --launch-report <LogOutput.log> [--profile <profile folder>]\n";
    return 2;
  }
  ModClues clues;
  if (withProfile) {
    const fs::path folder = args[2];
    try {
      clues = ModClues::gather(ProfileStore::decodeProfile(FS::readFile(folder / "profile.json")), folder);
    } catch (const std::exception& error) {
      err << "Couldn’t read the profile in " << folder.string() << ": " << reason(error) << ".\n";
      return 1;
    }
  }
  try {
    out << toJson(readLogFile(args[0], clues));
  } catch (const std::exception& error) {
    err << "Couldn’t read the log file " << args[0] << ": " << reason(error) << ".\n";
    return 1;
  }
  return 0;
}
}  // namespace Diagnostics
