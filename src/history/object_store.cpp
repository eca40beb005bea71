#include "history/object_store.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "foundation/file_descriptor.hpp"
#include "foundation/fs.hpp"
#include "history/fault_point.hpp"
#include "history/sha256.hpp"

namespace fs = std::filesystem;

namespace {
[[noreturn]] void fail(const fs::path& p, int err) {
  throw fs::filesystem_error("write", p, std::error_code(err, std::generic_category()));
}
}  // namespace

// Not flushed one by one: a process that dies leaves the page cache behind, and a snapshot that a
// power cut leaves short of a file lists as damaged, like any other.
void writeReplacing(const fs::path& to, std::string_view bytes) {
  const fs::path temp = to.parent_path() / ("." + to.filename().string() + ".part");
  FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!fd.valid()) fail(temp, errno);
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n =
        retryOnInterrupt([&] { return ::write(fd.get(), bytes.data() + done, bytes.size() - done); });
    if (n < 0) {
      const int err = errno;
      ::unlink(temp.c_str());
      fail(temp, err);
    }
    done += size_t(n);
  }
  if (fd.close() != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    fail(temp, err);
  }
  History::FaultPoint::reach();
  if (::rename(temp.c_str(), to.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    fail(to, err);
  }
}

StoredFile ObjectStore::put(std::string_view bytes) const {
  StoredFile file{sha256Hex(bytes), bytes.size()};
  if (present(file)) return file;
  FS::mkdir(folder_);
  writeReplacing(path(file.hash), bytes);
  History::FaultPoint::reach();
  return file;
}

bool ObjectStore::present(const StoredFile& file) const {
  std::error_code ec;
  return fs::file_size(path(file.hash), ec) == file.size && !ec;
}

std::optional<std::string> ObjectStore::read(const StoredFile& file) const {
  try {
    std::string bytes = FS::readFile(path(file.hash), file.size);
    if (bytes.size() == file.size && sha256Hex(bytes) == file.hash) return bytes;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

std::map<std::string, uint64_t> ObjectStore::sizes() const {
  std::map<std::string, uint64_t> out;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code sizeError;
    const uint64_t size = it->file_size(sizeError);
    if (!sizeError) out[it->path().filename().string()] = size;
  }
  return out;
}

void ObjectStore::removeAllBut(const std::set<std::string>& keep) const {
  for (const auto& [name, size] : sizes()) {
    if (keep.count(name)) continue;
    std::error_code ec;
    fs::remove(folder_ / name, ec);
    History::FaultPoint::reach();
  }
}
