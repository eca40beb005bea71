// Zip archives in-process with libarchive. Mod archives come from strangers, so unpacking
// treats every entry name and link target as hostile.
#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "foundation/app_error.hpp"
#include "foundation/file_descriptor.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/words.hpp"

namespace fs = std::filesystem;

namespace FS {
namespace {
using Reader = std::unique_ptr<archive, decltype(&archive_read_free)>;
using Writer = std::unique_ptr<archive, decltype(&archive_write_free)>;
using Entry = std::unique_ptr<archive_entry, decltype(&archive_entry_free)>;

// Status as the unzip tool reports it: 0 fine, 1 unpacked with warnings, 2 not unpacked.
struct Outcome {
  int status = 0;
  std::string output;  // what went wrong, for the activity log
  bool unsafe = false;  // stopped at a bound
};

Outcome unsafe(std::string why) { return {2, std::move(why), true}; }

// Past 1 MiB an entry may not expand more than 200 times: real mods compress a few times at
// most, a zip bomb a thousand.
constexpr uint64_t ratioFloor = 1 << 20;
constexpr uint64_t maxRatio = 200;

// Counts what one unpack writes against its limits.
class Budget {
 public:
  explicit Budget(const UnpackLimits& limits) : limits_(limits) {}

  std::optional<std::string> takeEntry() {
    if (++entries_ <= limits_.maxEntries) return std::nullopt;
    return "more than " + std::to_string(limits_.maxEntries) + " entries";
  }
  std::optional<std::string> takeBytes(uint64_t count) {
    bytes_ += count;
    if (bytes_ <= limits_.maxBytes) return std::nullopt;
    return "more than " + std::to_string(limits_.maxBytes) + " bytes";
  }

 private:
  const UnpackLimits& limits_;
  uint64_t entries_ = 0, bytes_ = 0;
};

std::string errorText(archive* a) {
  const char* text = archive_error_string(a);
  return text ? text : "unknown error";
}

// The first `count` characters (not bytes) of UTF-8 text.
std::string firstChars(const std::string& text, size_t count) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == count) return text.substr(0, i);
  return text;
}

// An entry's name as folder components, backslashes read as separators (archives made on
// Windows use them). Absent when the name is absolute or climbs with "..".
std::optional<std::vector<std::string>> safeComponents(const std::string& name) {
  if (name.empty() || name.front() == '/' || name.front() == '\\') return std::nullopt;
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("/\\", start);
    if (end == std::string::npos) end = name.size();
    std::string part = name.substr(start, end - start);
    if (part == "..") return std::nullopt;
    if (!part.empty() && part != ".") parts.push_back(std::move(part));
    start = end + 1;
  }
  if (parts.empty()) return std::nullopt;
  return parts;
}

// Whether a link `depth` folders below the root, pointing at `target`, stays inside the root.
// Only leading ".." are allowed: after a descent, ".." could climb out of a folder reached
// through another link. Leading ones climb real folders, since nothing is written through links.
bool linkStaysInside(size_t depth, const std::string& target) {
  if (target.empty() || target.front() == '/') return false;
  bool descended = false;
  size_t start = 0;
  while (start <= target.size()) {
    size_t end = target.find('/', start);
    if (end == std::string::npos) end = target.size();
    std::string_view part{target.data() + start, end - start};
    if (part == "..") {
      if (descended || depth == 0) return false;
      --depth;
    } else if (!part.empty() && part != ".") {
      descended = true;
    }
    start = end + 1;
  }
  return true;
}

// Whether one of the folders that would hold root/parts is a symbolic link.
bool throughLink(fs::path at, const std::vector<std::string>& parts) {
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    at /= parts[i];
    struct stat st {};
    if (::lstat(at.c_str(), &st) != 0) return false;  // nothing there yet: created as a folder
    if (S_ISLNK(st.st_mode)) return true;
  }
  return false;
}

// libarchive converts names between UTF-8 and the thread's locale, and in the "C" locale (a
// Finder-launched app, a test) every non-ASCII name fails to convert. Names are bytes on disk,
// so archive work runs under a UTF-8 character locale, for this thread only.
class UTF8Locale {
 public:
  UTF8Locale() {
    for (const char* name : {"C.UTF-8", "en_US.UTF-8", "UTF-8"})
      if ((utf8_ = newlocale(LC_CTYPE_MASK, name, nullptr))) break;
    if (utf8_) previous_ = uselocale(utf8_);
  }
  ~UTF8Locale() {
    if (!utf8_) return;
    uselocale(previous_);
    freelocale(utf8_);
  }
  UTF8Locale(const UTF8Locale&) = delete;
  UTF8Locale& operator=(const UTF8Locale&) = delete;

 private:
  locale_t utf8_ = nullptr, previous_ = nullptr;
};

const char* utf8OrRaw(const char* utf8, const char* raw) { return utf8 ? utf8 : raw ? raw : ""; }

// The reason an entry must not be unpacked, or nothing. On success the entry is rewritten
// to its place under `root`, with sane permissions.
std::optional<std::string> prepare(archive_entry* entry, const std::string& name, const fs::path& root) {
  auto parts = safeComponents(name);
  if (!parts) return "its name leaves the folder";
  for (const auto& part : *parts)
    if (part.size() > 255) return "a part of its name is longer than 255 bytes";
  if (archive_entry_hardlink(entry)) return "hard links are not unpacked";
  auto type = archive_entry_filetype(entry);
  // A name ending in a backslash is a folder written on Windows.
  if (type == AE_IFREG && name.back() == '\\' && archive_entry_size(entry) == 0) type = AE_IFDIR;
  if (type != AE_IFREG && type != AE_IFDIR && type != AE_IFLNK) return "not a file, folder or link";
  if (type == AE_IFLNK) {
    std::string target = utf8OrRaw(archive_entry_symlink_utf8(entry), archive_entry_symlink(entry));
    if (!linkStaysInside(parts->size() - 1, target)) return "its link points outside the folder";
    archive_entry_copy_symlink(entry, target.c_str());
  }
  if (throughLink(root, *parts)) return "it would be written through a link";

  fs::path dest = root;
  for (const auto& part : *parts) dest /= part;
  archive_entry_copy_pathname(entry, dest.c_str());
  archive_entry_set_filetype(entry, type);
  bool executable = archive_entry_perm(entry) & 0111;
  archive_entry_set_perm(entry, type == AE_IFREG && !executable ? 0644 : 0755);
  return std::nullopt;
}

// The topmost folder or file on the way to `dest` that does not exist yet: removing it
// removes everything the entry adds.
std::optional<fs::path> firstNew(const fs::path& root, const fs::path& dest) {
  fs::path at = root;
  for (const auto& part : dest.lexically_relative(root)) {
    at /= part;
    struct stat st {};
    if (::lstat(at.c_str(), &st) != 0) return at;
  }
  return std::nullopt;
}

// Failures of one entry that harm nothing else: a name too long for the disk, a file where
// the archive already made a folder, a link over a folder with content. The entry is skipped.
bool harmless(int err) {
  return err == ENAMETOOLONG || err == EEXIST || err == ENOTEMPTY || err == EISDIR || err == ENOTDIR;
}

// Copies the current entry's bytes to the disk. Only bytes the archive really holds are
// written, exactly as many as the entry declares, in order: the disk writer would otherwise
// grow a short file to its declared size, and a gap in the offsets would be a sparse file no
// archive bytes paid for.
Outcome copyData(archive* in, archive* out, const std::string& name, std::optional<uint64_t> declared,
                 Budget& budget) {
  const la_int64_t start = archive_filter_bytes(in, -1);
  uint64_t written = 0;
  const void* buf;
  size_t size;
  la_int64_t offset;
  for (;;) {
    int r = archive_read_data_block(in, &buf, &size, &offset);
    if (r == ARCHIVE_EOF) break;
    if (r != ARCHIVE_OK) return {2, name + ": " + errorText(in)};
    if (offset < 0 || uint64_t(offset) != written) return {2, name + ": its data is out of order"};
    written += size;
    if (declared && written > *declared) return {2, name + ": its data runs past its size"};
    if (auto stop = budget.takeBytes(size)) return unsafe(*stop);
    auto compressed = uint64_t(std::max<la_int64_t>(archive_filter_bytes(in, -1) - start, 1));
    if (written > ratioFloor && written / compressed > maxRatio)
      return unsafe(name + " expands more than " + std::to_string(maxRatio) + " times");
    if (archive_write_data_block(out, buf, size, offset) != ARCHIVE_OK)
      return {2, name + ": " + errorText(out)};
  }
  if (declared && written != *declared) return {2, name + ": its data ends before its size"};
  return {};
}

Outcome extract(const fs::path& zipFile, const fs::path& root, const std::string& zipName,
                const UnpackLimits& limits, std::vector<fs::path>& created) {
  UTF8Locale utf8;
  Reader in{archive_read_new(), archive_read_free};
  archive_read_support_format_zip(in.get());
  if (archive_read_open_filename(in.get(), zipFile.c_str(), 1 << 16) != ARCHIVE_OK)
    return {2, errorText(in.get())};

  Writer disk{archive_write_disk_new(), archive_write_free};
  archive_write_disk_set_options(disk.get(), ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_PERM |
                                                 ARCHIVE_EXTRACT_SECURE_SYMLINKS |
                                                 ARCHIVE_EXTRACT_SECURE_NODOTDOT);
  // Entry paths are made absolute under the checked root by prepare(), so libarchive's
  // absolute-path guard cannot be used; prepare() refuses absolute names itself.
  Outcome out;
  Budget budget(limits);
  auto warn = [&](const std::string& entryName, const std::string& why) {
    Log::write("unzip skipped " + entryName + " in " + zipName + ": " + why);
    out.status = std::max(out.status, 1);
  };
  archive_entry* entry;
  for (;;) {
    int r = archive_read_next_header(in.get(), &entry);
    if (r == ARCHIVE_EOF) break;
    if (r < ARCHIVE_WARN) return {2, errorText(in.get())};
    if (auto stop = budget.takeEntry()) return unsafe(*stop);
    std::string name = utf8OrRaw(archive_entry_pathname_utf8(entry), archive_entry_pathname(entry));
    if (auto refused = prepare(entry, name, root)) {
      warn(name, *refused);
      continue;
    }
    std::optional<uint64_t> declared;
    if (archive_entry_size_is_set(entry))
      declared = uint64_t(std::max<la_int64_t>(archive_entry_size(entry), 0));
    archive_entry_unset_size(entry);
    const fs::path dest = archive_entry_pathname(entry);
    if (auto fresh = firstNew(root, dest)) created.push_back(*fresh);

    r = archive_write_header(disk.get(), entry);
    if (r == ARCHIVE_FAILED && harmless(archive_errno(disk.get()))) {
      warn(name, errorText(disk.get()));
      continue;
    }
    if (r < ARCHIVE_WARN) return {2, name + ": " + errorText(disk.get())};
    if (r == ARCHIVE_WARN) warn(name, errorText(disk.get()));
    if (archive_entry_filetype(entry) == AE_IFREG) {
      Outcome copied = copyData(in.get(), disk.get(), name, declared, budget);
      if (copied.status) return copied;
    }
    if (archive_write_finish_entry(disk.get()) < ARCHIVE_WARN)
      return {2, name + ": " + errorText(disk.get())};
  }
  // Closing applies the folders' permissions and times.
  if (archive_write_close(disk.get()) < ARCHIVE_WARN) return {2, errorText(disk.get())};
  return out;
}

[[noreturn]] void archiveFailure(archive* a) {
  int err = archive_errno(a);
  throw std::system_error(err > 0 ? err : EIO, std::generic_category(), errorText(a));
}

void addFile(archive* out, const fs::path& file) {
  const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) throw fs::filesystem_error("zip", file, std::error_code(errno, std::generic_category()));
  char buf[65536];
  for (;;) {
    const ssize_t n = retryOnInterrupt([&] { return ::read(fd.get(), buf, sizeof buf); });
    if (n < 0) throw fs::filesystem_error("zip", file, std::error_code(errno, std::generic_category()));
    if (n == 0) return;
    if (archive_write_data(out, buf, size_t(n)) < 0) archiveFailure(out);
  }
}
}  // namespace

void unzip(const path& archive, const path& to, const UnpackLimits& limits) {
  mkdir(to);
  const std::string name = archive.filename().string();
  std::vector<fs::path> created;
  Outcome outcome = extract(archive, fs::canonical(to), name, limits, created);
  if (outcome.unsafe) {
    for (const auto& item : created) FS::remove(item);
    Log::write("unzip stopped " + name + ": " + outcome.output);
    throw FS::UnpackError(Words::fill(
        Words::translate("FS", "Couldn’t unpack %1 because it looks damaged or unsafe."), {name}));
  }
  if (outcome.status >= 2) {
    Log::write("unzip failed (" + std::to_string(outcome.status) + ") " + name + ": " +
               firstChars(outcome.output, 300));
    throw FS::UnpackError(Words::fill(Words::translate("FS", "Couldn’t unpack %1."), {name}));
  }
  if (outcome.status == 1) Log::write("unzip warning (ok): " + name);
}

bool zipHasEntry(const path& archive, std::string_view name) noexcept {
  UTF8Locale utf8;
  Reader in{archive_read_new(), archive_read_free};
  archive_read_support_format_zip(in.get());
  if (archive_read_open_filename(in.get(), archive.c_str(), 1 << 16) != ARCHIVE_OK) return false;
  archive_entry* entry;
  for (uint64_t n = 0; n < modArchiveLimits.maxEntries; ++n) {
    const int r = archive_read_next_header(in.get(), &entry);
    if (r == ARCHIVE_EOF || r < ARCHIVE_WARN) return false;
    if (utf8OrRaw(archive_entry_pathname_utf8(entry), archive_entry_pathname(entry)) == name) return true;
  }
  return false;
}

void zip(const path& folder, const path& archivePath) {
  // Sorted, so the same folder always gives the same archive. Resolved paths let the archive
  // leave itself out when it is written inside the folder.
  const fs::path base = fs::canonical(folder), self = fs::weakly_canonical(archivePath);
  std::vector<fs::path> items;
  for (const auto& item : fs::recursive_directory_iterator(base))
    if (item.path() != self) items.push_back(item.path());
  std::sort(items.begin(), items.end());

  UTF8Locale utf8;
  Writer out{archive_write_new(), archive_write_free};
  archive_write_set_format_zip(out.get());
  archive_write_set_options(out.get(), "zip:compression=deflate");
  if (archive_write_open_filename(out.get(), archivePath.c_str()) != ARCHIVE_OK) archiveFailure(out.get());
  Entry entry{archive_entry_new(), archive_entry_free};
  for (const auto& item : items) {
    struct stat st {};
    if (::lstat(item.c_str(), &st) != 0)
      throw fs::filesystem_error("zip", item, std::error_code(errno, std::generic_category()));
    std::string name = item.lexically_relative(base).generic_string();
    archive_entry_clear(entry.get());
    archive_entry_set_mtime(entry.get(), st.st_mtime, 0);
    archive_entry_set_perm(entry.get(), st.st_mode & 0777);
    if (S_ISDIR(st.st_mode)) {
      archive_entry_set_filetype(entry.get(), AE_IFDIR);
      name += '/';
    } else if (S_ISLNK(st.st_mode)) {
      archive_entry_set_filetype(entry.get(), AE_IFLNK);
      archive_entry_copy_symlink(entry.get(), fs::read_symlink(item).c_str());
    } else if (S_ISREG(st.st_mode)) {
      archive_entry_set_filetype(entry.get(), AE_IFREG);
      archive_entry_set_size(entry.get(), st.st_size);
    } else {
      continue;  // sockets and pipes have no place in an archive
    }
    archive_entry_copy_pathname(entry.get(), name.c_str());
    if (archive_write_header(out.get(), entry.get()) < ARCHIVE_WARN) archiveFailure(out.get());
    if (S_ISREG(st.st_mode)) addFile(out.get(), item);
  }
  if (archive_write_close(out.get()) != ARCHIVE_OK) archiveFailure(out.get());
}
}  // namespace FS
