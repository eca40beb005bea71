#include "installer/download_cache.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <tuple>
#include <vector>

#include "catalogue/thunderstore.hpp"
#include "foundation/fs.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "foundation/uuid.hpp"

namespace fs = std::filesystem;

namespace DownloadCache {
namespace {
std::atomic<uint64_t> g_limit{defaultLimit};
std::mutex g_lock;  // one eviction or clearing at a time

// Names come from the catalogue and from profile codes: only a plain name may become a file.
bool plainName(const std::string& name) {
  return !name.empty() && name.front() != '.' && name.find_first_of("/\\") == std::string::npos;
}

// The loader pack and the loader are needed by every profile: they go last.
bool keptLonger(const std::string& name) {
  return name.starts_with(std::string(LoaderPack::id) + "-") || name.starts_with("BepInEx_macos_");
}

struct Item {
  path file;
  uint64_t size = 0;
  bool late = false;
  fs::file_time_type used;
};

std::vector<Item> items() {
  std::vector<Item> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder(), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code itemError;
    Item item{.file = it->path(), .size = it->file_size(itemError)};
    item.used = it->last_write_time(itemError);
    if (itemError || !it->is_regular_file(itemError)) continue;
    item.late = keptLonger(item.file.filename().string());
    found.push_back(std::move(item));
  }
  return found;
}

// Removes the least recently used archives until the folder is within the bound; `keep` stays.
// Temporary files a crash left behind are removed once they are an hour old.
void evict(const path& keep) {
  std::lock_guard guard{g_lock};
  std::vector<Item> all = items();
  const auto staleBefore = fs::file_time_type::clock::now() - std::chrono::hours(1);
  uint64_t total = 0;
  for (const Item& item : all) total += item.size;
  std::sort(all.begin(), all.end(),
            [](const Item& a, const Item& b) { return std::tie(a.late, a.used) < std::tie(b.late, b.used); });
  for (const Item& item : all) {
    const bool partial = item.file.extension() == ".part";
    if ((partial && item.used > staleBefore) || (!partial && total <= g_limit) || item.file == keep) continue;
    FS::remove(item.file);
    total -= item.size;
    if (!partial) Log::write("download cache: evicted " + item.file.filename().string());
  }
}

// Moves a complete download into the cache under a temporary name, then renames it into place.
path store(const path& downloaded, const std::string& name) {
  FS::mkdir(folder());
  const path part = folder() / ("." + name + "." + makeUUID() + ".part");
  try {
    FS::move(downloaded, part);
    fs::rename(part, folder() / name);
  } catch (...) {
    FS::remove(part);
    throw;
  }
  return folder() / name;
}
}  // namespace

path folder() { return Paths::cache() / "downloads"; }

Archive fetch(const std::string& name, const std::string& url, const path& workFile,
              const Http::Progress& progress) {
  const bool cacheable = plainName(name);
  if (cacheable && contains(name)) {
    std::error_code ignored;  // the time of last use orders evictions; a failure only ages it
    fs::last_write_time(folder() / name, fs::file_time_type::clock::now(), ignored);
    return {folder() / name, true};
  }
  Thunderstore::download(url, workFile, progress);
  if (!cacheable) return {workFile};
  try {
    path cached = store(workFile, name);
    evict(cached);
    return {cached};
  } catch (const std::exception& e) {
    Log::write("download cache write failed: " + std::string(e.what()));
    return {workFile};
  }
}

bool contains(const std::string& name) noexcept {
  std::error_code ec;
  return plainName(name) && fs::is_regular_file(folder() / name, ec);
}

void discard(const std::string& name) noexcept {
  if (plainName(name)) FS::remove(folder() / name);
}

uint64_t clear() noexcept {
  std::lock_guard guard{g_lock};
  uint64_t freed = 0;
  for (const Item& item : items()) {
    std::error_code ec;
    if (fs::remove(item.file, ec)) freed += item.size;
  }
  return freed;
}

void setLimit(uint64_t bytes) { g_limit = bytes; }
}  // namespace DownloadCache
