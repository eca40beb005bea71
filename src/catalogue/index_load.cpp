// The package list: the six-hour cache, the download, and the fallback to any readable cache.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "catalogue/http.hpp"
#include "catalogue/thunderstore.hpp"
#include "catalogue/thunderstore_seams.hpp"
#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "foundation/words.hpp"

namespace Thunderstore {
namespace {
constexpr double freshSeconds = 6 * 60 * 60;

std::filesystem::path cacheFile() { return Paths::cache() / "valheim-index.json"; }
std::filesystem::path idsFile() { return Paths::cache() / "valheim-ids.txt"; }

// Any failure (no file, unreadable, undecodable) gives nothing. Without the ids file the packages
// only lack their catalogue ids.
std::optional<std::vector<TSPackage>> readCache() {
  std::vector<TSPackage> packages;
  try {
    packages = decodeCache(FS::readFile(cacheFile()));
  } catch (const std::exception&) {
    return std::nullopt;
  }
  try {
    applyIds(packages, FS::readFile(idsFile()));
  } catch (const std::exception& e) {
    Log::write(std::string("catalogue ids not read: ") + e.what());
  }
  return packages;
}

// Cache writes still running; waitForCacheWrites blocks until there are none.
struct PendingWrites {
  std::mutex lock;
  std::condition_variable done;
  int count = 0;

  // Never destroyed: a writer may still be finishing while the process exits.
  static PendingWrites& shared() {
    static auto* pending = new PendingWrites;
    return *pending;
  }
};

void writeCache(const std::vector<TSPackage>& packages) {
  try {
    FS::mkdir(Paths::cache());
    FS::writeAtomic(idsFile(), encodeIds(packages));
    FS::writeAtomic(cacheFile(), encodeCache(packages));
  } catch (const std::exception& e) {
    Log::write(std::string("index cache write failed: ") + e.what());
  }
}

// Writes the cache on a thread of its own that nobody waits for: the caller has its list already.
void startCacheWrite(std::vector<TSPackage> packages) {
  auto& pending = PendingWrites::shared();
  auto finished = [&pending] {
    std::lock_guard guard{pending.lock};
    --pending.count;
    pending.done.notify_all();
  };
  {
    std::lock_guard guard{pending.lock};
    ++pending.count;
  }
  try {
    std::thread([packages = std::move(packages), finished] {
      writeCache(packages);
      finished();
    }).detach();
  } catch (const std::system_error& e) {
    Log::write(std::string("index cache write failed: ") + e.what());
    finished();
  }
}
}  // namespace

void waitForCacheWrites() {
  auto& pending = PendingWrites::shared();
  std::unique_lock guard{pending.lock};
  pending.done.wait(guard, [&] { return pending.count == 0; });
}

std::optional<double> cacheAge() {
  using Clock = std::filesystem::file_time_type::clock;
  std::error_code ec;
  auto modified = std::filesystem::last_write_time(cacheFile(), ec);
  if (ec) return std::nullopt;
  return std::chrono::duration<double>(Clock::now() - modified).count();
}

std::vector<TSPackage> loadIndex(bool refresh) {
  FS::remove(Paths::cache() / "valheim-packages.json");  // an older cache, no longer used

  if (!refresh) {
    if (auto age = cacheAge(); age && *age < freshSeconds)
      if (auto cached = readCache()) return std::move(*cached);
  }

  try {
    auto start = std::chrono::steady_clock::now();
    auto reply = Http::fetch({.url = indexURL(), .timeout = 180});
    auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
    Log::write("index download: http=" + std::to_string(reply.status) +
               " bytes=" + std::to_string(reply.body.size()) + " (" + std::to_string(seconds) + "s)");
    if (reply.status != 200)
      throw AppError(Words::fill(Words::translate("Thunderstore", "Thunderstore returned an error (%1)."),
                                 {std::to_string(reply.status)}));
    auto packages = decodeIndex(reply.body);
    startCacheWrite(packages);
    return packages;
  } catch (const Http::NetworkError& e) {
    Log::write("index download failed: " + e.logged());
  } catch (const std::exception& e) {
    Log::write(std::string("index download failed: ") + e.what());
  }

  if (auto cached = readCache()) return std::move(*cached);
  throw AppError(Words::translate(
      "Thunderstore", "Couldn’t download the mod list from Thunderstore. Check your internet connection."));
}
}  // namespace Thunderstore
