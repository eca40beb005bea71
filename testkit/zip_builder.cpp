#include "testkit/zip_builder.hpp"

#include <archive.h>
#include <archive_entry.h>

#include <memory>
#include <random>
#include <stdexcept>
#include <utility>

namespace {
void check(archive* a, int r) {
  if (r < ARCHIVE_WARN) throw std::runtime_error(std::string("zip builder: ") + archive_error_string(a));
}

la_ssize_t append(archive*, void* bytes, const void* buf, size_t size) {
  static_cast<std::string*>(bytes)->append(static_cast<const char*>(buf), size);
  return la_ssize_t(size);
}
}  // namespace

std::string zipBytes(const std::vector<ZipEntry>& entries) {
  std::string bytes;
  std::unique_ptr<archive, decltype(&archive_write_free)> out{archive_write_new(), archive_write_free};
  archive* a = out.get();
  check(a, archive_write_set_format_zip(a));
  // The default block padding would add bytes after the central directory.
  check(a, archive_write_set_bytes_in_last_block(a, 1));
  check(a, archive_write_open(a, &bytes, nullptr, append, nullptr));
  for (const ZipEntry& e : entries) {
    std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry{archive_entry_new(),
                                                                        archive_entry_free};
    archive_entry_copy_pathname(entry.get(), e.name.c_str());
    archive_entry_set_mtime(entry.get(), 1700000000, 0);
    if (e.directory) {
      archive_entry_set_filetype(entry.get(), AE_IFDIR);
      archive_entry_set_perm(entry.get(), 0755);
    } else if (e.symlink) {
      archive_entry_set_filetype(entry.get(), AE_IFLNK);
      archive_entry_set_perm(entry.get(), 0777);
      archive_entry_copy_symlink(entry.get(), e.content.c_str());
    } else {
      archive_entry_set_filetype(entry.get(), AE_IFREG);
      archive_entry_set_perm(entry.get(), 0644);
      archive_entry_set_size(entry.get(), la_int64_t(e.content.size()));
    }
    check(a, archive_write_header(a, entry.get()));
    if (!e.directory && !e.symlink && !e.content.empty())
      if (archive_write_data(a, e.content.data(), e.content.size()) < 0) check(a, ARCHIVE_FATAL);
  }
  check(a, archive_write_close(a));
  return bytes;
}

std::string zipDeclaring(const std::string& name, uint64_t declaredSize) {
  // Little-endian fields, each a value and its width in bytes.
  auto put = [](std::string& out, std::initializer_list<std::pair<uint64_t, int>> fields) {
    for (auto [value, bytes] : fields)
      for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i));
  };
  const bool zip64 = declaredSize >= 0xFFFFFFFF;
  std::string extra;  // ZIP64: the uncompressed size
  if (zip64) put(extra, {{0x0001, 2}, {8, 2}, {declaredSize, 8}});
  // Version needed, flags, method (stored), time, date, CRC, compressed size 0, uncompressed size.
  auto common = [&](std::string& out) {
    put(out, {{zip64 ? 45u : 20u, 2}, {0, 2}, {0, 2}, {0, 4}, {0, 4}, {0, 4}});
    put(out, {{zip64 ? 0xFFFFFFFF : declaredSize, 4}, {name.size(), 2}, {extra.size(), 2}});
  };
  std::string local, central, end;
  put(local, {{0x04034b50, 4}});
  common(local);
  local += name + extra;
  put(central, {{0x02014b50, 4}, {0x031e, 2}});
  common(central);
  put(central, {{0, 2}, {0, 2}, {0, 2}, {0100644u << 16, 4}, {0, 4}});
  central += name + extra;
  put(end, {{0x06054b50, 4}, {0, 4}, {1, 2}, {1, 2}, {central.size(), 4}, {local.size(), 4}, {0, 2}});
  return local + central + end;
}

std::string incompressible(size_t size) {
  std::mt19937 random(7);
  std::string text(size, ' ');
  for (char& c : text) c = char('a' + random() % 26);
  return text;
}
