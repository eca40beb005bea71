#include "foundation/fs.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <system_error>

#include "foundation/file_descriptor.hpp"
#include "foundation/fs_probes.hpp"
#include "foundation/uuid.hpp"

namespace fs = std::filesystem;

namespace FS {
namespace {
[[noreturn]] void fail(const char* what, const path& p, int err) {
  throw fs::filesystem_error(what, p, std::error_code(err, std::generic_category()));
}

// Flushes a file or folder to the disk itself. A plain fsync on macOS stops at the drive's
// cache; F_FULLFSYNC goes through, and falls back to fsync where a file system lacks it.
int syncToDisk(int fd) {
#ifdef F_FULLFSYNC
  if (::fcntl(fd, F_FULLFSYNC) == 0) return 0;
#endif
  return ::fsync(fd);
}

// Something is there, even a dangling link.
bool occupied(const path& p) {
  std::error_code ec;
  return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

// rename(2) cannot cross volumes (the temporary folder often lives on another one):
// copy the item, links as links, then remove the original.
void moveAcrossVolumes(const path& from, const path& to) {
  if (fs::is_symlink(fs::symlink_status(from)))
    fs::copy_symlink(from, to);
  else
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  fs::remove_all(from);
}
}  // namespace

namespace {
std::atomic<uint64_t> probeCount{0};
void probe() { probeCount.fetch_add(1, std::memory_order_relaxed); }
}  // namespace

uint64_t probes() { return probeCount.load(std::memory_order_relaxed); }

bool exists(const path& p) {
  probe();
  std::error_code ec;
  return fs::exists(p, ec);
}

bool isDirectory(const path& p) {
  probe();
  std::error_code ec;
  return fs::is_directory(p, ec);
}

bool isSymlink(const path& p) {
  std::error_code ec;
  return fs::is_symlink(p, ec);
}

std::set<std::string> names(const path& folder) {
  probe();
  std::set<std::string> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    // The listing knows which entries are links, so only those cost a look of their own.
    std::error_code e;
    if (!it->is_symlink(e) || fs::exists(it->path(), e)) found.insert(it->path().filename().string());
  }
  return found;
}

void mkdir(const path& p) {
  std::error_code ec;
  fs::create_directories(p, ec);
  // create_directories reports an existing folder reached through a link as an error on some
  // standard libraries; an existing folder is never one here.
  if (ec && !isDirectory(p)) throw fs::filesystem_error("mkdir", p, ec);
}

void remove(const path& p) noexcept {
  if (!occupied(p)) return;
  std::error_code ec;
  fs::remove_all(p, ec);
}

void move(const path& from, const path& to) {
  FS::remove(to);
  FS::mkdir(to.parent_path());
  std::error_code ec;
  fs::rename(from, to, ec);
  if (ec == std::errc::cross_device_link)
    moveAcrossVolumes(from, to);
  else if (ec)
    throw fs::filesystem_error("move", from, to, ec);
}

path tempDir() {
  path dir = fs::temp_directory_path() / ("quernhold-" + makeUUID());
  if (!fs::create_directory(dir)) fail("tempDir", dir, EEXIST);
  return dir;
}

void copyContents(const path& of, const path& into, bool overwrite,
                  const std::set<std::string>& skipTopLevel) {
  mkdir(into);
  for (const fs::directory_entry& entry : fs::directory_iterator(of)) {
    std::string name = entry.path().filename().string();
    if (skipTopLevel.count(name)) continue;
    path target = into / name;
    if (entry.is_directory() && !entry.is_symlink()) {
      copyContents(entry.path(), target, overwrite);
      continue;
    }
    if (occupied(target)) {
      if (!overwrite) continue;
      fs::remove_all(target);
    }
    if (entry.is_symlink())
      fs::copy_symlink(entry.path(), target);
    else
      fs::copy_file(entry.path(), target);
  }
}

std::string readFile(const path& p, size_t maxBytes) {
  probe();
  const FileDescriptor fd(::open(p.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) fail("read", p, errno);
  std::string bytes;
  char buf[65536];
  for (;;) {
    const ssize_t n = retryOnInterrupt([&] { return ::read(fd.get(), buf, sizeof buf); });
    if (n < 0) fail("read", p, errno);
    if (bytes.size() + size_t(n) > maxBytes) fail("read", p, EFBIG);
    if (n == 0) return bytes;
    bytes.append(buf, size_t(n));
  }
}

void writeAtomic(const path& p, std::string_view bytes) {
  std::string temp = (p.parent_path() / ("." + p.filename().string() + ".XXXXXX")).string();
  FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (!fd.valid()) fail("write", p, errno);
  // mkostemp makes the file private; give it the mode the old file had, or the usual one.
  struct stat old {};
  ::fchmod(fd.get(), ::stat(p.c_str(), &old) == 0 ? old.st_mode & 07777 : 0644);

  auto abandon = [&](int err) {
    fd.close();
    ::unlink(temp.c_str());
    fail("write", p, err);
  };
  const char* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = retryOnInterrupt([&] { return ::write(fd.get(), data, left); });
    if (n < 0) abandon(errno);
    data += n;
    left -= size_t(n);
  }
  if (syncToDisk(fd.get()) != 0) abandon(errno);
  if (fd.close() != 0) abandon(errno);
  if (::rename(temp.c_str(), p.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    fail("write", p, err);
  }
  // The rename lives in the folder: until the folder reaches the disk, a power cut can bring
  // back the old name. The file is already saved, so a folder that cannot sync is no failure.
  const path folder = p.parent_path().empty() ? path(".") : p.parent_path();
  const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) syncToDisk(dir.get());
}

void removeStaleTemporaries(const path& p) noexcept {
  const std::string prefix = "." + p.filename().string() + ".";
  const auto cutoff = fs::file_time_type::clock::now() - std::chrono::minutes(1);
  std::error_code ec;
  for (fs::directory_iterator it(p.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) continue;
    std::error_code timeError;
    auto written = fs::last_write_time(it->path(), timeError);
    if (!timeError && written < cutoff) fs::remove(it->path(), timeError);
  }
}
}  // namespace FS
