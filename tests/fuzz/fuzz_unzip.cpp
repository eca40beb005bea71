// The unpacker on the bytes of a zip. Whatever the archive holds: nothing outside the target
// folder changes, every link left in it points inside it, and every file in it is named after an
// entry of the archive and is no larger than such an entry declares nor than the data it holds.
// A failed unpack fails with the unpacker's own sentence.
#include <archive.h>
#include <archive_entry.h>
#include <locale.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "fuzz_check.hpp"

namespace fs = std::filesystem;

namespace {
fs::path g_root;  // scratch folder: home/, tmp/ and work/{in.zip, sentinel/keep.txt, out/}

constexpr int64_t kMaxTotal = int64_t(4) << 30;  // what one mod may unpack in all
constexpr int64_t kReadCap = int64_t(256) << 20;  // the data of one entry is counted up to here

// What the archive says of the regular entries whose name ends in one file name.
struct Stored {
  std::optional<int64_t> declared;  // the largest size a header gives
  int64_t data = 0;  // the most bytes of data one of them really holds
};

// The last part of an entry's name that names something: parts are separated by slashes or
// backslashes (archives made on Windows use them), and empty parts and "." name nothing. Where the
// unpacker puts the folders above it, and which names it refuses, is not predicted here.
std::string fileName(const std::string& name) {
  std::string last;
  size_t start = 0;
  while (start <= name.size()) {
    const size_t end = std::min(name.find_first_of("/\\", start), name.size());
    if (end > start && name.compare(start, end - start, ".") != 0) last = name.substr(start, end - start);
    start = end + 1;
  }
  return last;
}

// Reads the archive with the same reader (UTF-8 names) and records every regular entry's declared
// size and real data, by its file name.
std::map<std::string, Stored> stored(const fs::path& zip) {
  std::map<std::string, Stored> result;
  locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  locale_t previous = utf8 ? uselocale(utf8) : nullptr;
  archive* in = archive_read_new();
  archive_read_support_format_zip(in);
  if (archive_read_open_filename(in, zip.c_str(), 1 << 16) == ARCHIVE_OK) {
    archive_entry* entry;
    for (int n = 0; n < 200000 && archive_read_next_header(in, &entry) >= ARCHIVE_WARN; ++n) {
      if (archive_entry_filetype(entry) != AE_IFREG) continue;
      const char* raw = archive_entry_pathname_utf8(entry);
      if (!raw) raw = archive_entry_pathname(entry);
      Stored& s = result[fileName(raw ? raw : "")];
      if (archive_entry_size_is_set(entry))
        s.declared = std::max(s.declared.value_or(0), int64_t(archive_entry_size(entry)));
      int64_t data = 0;
      const void* buf;
      size_t size;
      la_int64_t offset;
      while (data < kReadCap && archive_read_data_block(in, &buf, &size, &offset) == ARCHIVE_OK)
        data += int64_t(size);
      s.data = std::max(s.data, data);
    }
  }
  archive_read_free(in);
  if (utf8) {
    uselocale(previous);
    freelocale(utf8);
  }
  return result;
}

// Every path under `root` that is not below `skip`, with a file's content.
std::map<std::string, std::string> listing(const fs::path& root, const fs::path& skip) {
  std::map<std::string, std::string> out;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    if (it->path() == skip) {
      it.disable_recursion_pending();
      continue;
    }
    const bool small = !it->is_symlink() && it->is_regular_file() && it->file_size() < 4096;
    out[it->path().lexically_relative(root).string()] = small                ? FS::readFile(it->path())
                                                        : it->is_symlink()   ? "<link>"
                                                        : it->is_directory() ? "<dir>"
                                                                             : "<other>";
  }
  return out;
}

void checkTarget(const fs::path& out, const std::map<std::string, Stored>& archive) {
  const fs::path base = fs::canonical(out);
  int64_t total = 0;
  for (auto it = fs::recursive_directory_iterator(base); it != fs::recursive_directory_iterator(); ++it) {
    const fs::path& p = it->path();
    if (it->is_symlink()) {
      fs::path resolved = (p.parent_path() / fs::read_symlink(p)).lexically_normal();
      auto [mismatch, _] = std::mismatch(base.begin(), base.end(), resolved.begin(), resolved.end());
      FUZZ_CHECK(mismatch == base.end(), "a link left in the folder points inside it");
    } else if (it->is_regular_file()) {
      auto entry = archive.find(p.filename().string());
      FUZZ_CHECK(entry != archive.end(), "every unpacked file is named after an entry of the archive");
      const auto size = int64_t(it->file_size());
      FUZZ_CHECK(!entry->second.declared || size <= *entry->second.declared,
                 "no file is larger than its entry declares");
      FUZZ_CHECK(size <= entry->second.data, "no file is larger than the data its entry holds");
      total += size;
    }
  }
  FUZZ_CHECK(total <= kMaxTotal, "an unpack writes at most its bound");
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string pattern = (fs::temp_directory_path() / "quernhold-fuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  g_root = fs::canonical(pattern);
  fs::create_directories(g_root / "home");
  fs::create_directories(g_root / "tmp");
  fs::create_directories(g_root / "work/sentinel");
  setenv("HOME", (g_root / "home").c_str(), 1);
  setenv("TMPDIR", (g_root / "tmp").c_str(), 1);
  FS::writeAtomic(g_root / "work/sentinel/keep.txt", "keep");
  std::atexit([] {
    std::error_code ec;
    fs::remove_all(g_root, ec);
  });
  // A file past the bound fails to write instead of filling the disk (sparse files cost nothing).
  signal(SIGXFSZ, SIG_IGN);
  rlimit limit{kMaxTotal * 2, kMaxTotal * 2};
  setrlimit(RLIMIT_FSIZE, &limit);
  return 0;
}

FUZZ_TARGET(bytes) {
  const fs::path work = g_root / "work", zip = work / "in.zip", out = work / "out";
  static const auto before = [&] {
    FS::writeAtomic(zip, "");
    return listing(work, out);
  }();
  fs::remove_all(out);
  FS::writeAtomic(zip, bytes);

  bool unpacked = false;
  try {
    FS::unzip(zip, out);
    unpacked = true;
  } catch (const AppError& e) {
    const std::string_view what = e.what();
    FUZZ_CHECK(what.starts_with("Couldn’t unpack in.zip") && what.ends_with("."),
               "a failed unpack says so in one sentence");
  }
  auto after = listing(work, out);
  after["in.zip"] = before.at("in.zip");
  FUZZ_CHECK(after == before, "nothing outside the target folder changes");
  if (unpacked) checkTarget(out, stored(zip));

  fs::remove(Paths::logFile());
}
