#include "app/archive_prefetch.hpp"

#include <QCoroFuture>
#include <QFuture>
#include <QPointer>
#include <QPromise>

#include <algorithm>
#include <atomic>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "app/background.hpp"
#include "foundation/fs.hpp"
#include "installer/installer.hpp"

namespace {
std::atomic<int> g_parallel{4};
}

int parallelDownloads() { return g_parallel.load(); }
void setParallelDownloads(int count) { g_parallel.store(std::max(count, 1)); }

// One archive's download and unpacking, as the main thread sees it.
struct Download {
  std::shared_ptr<QPromise<void>> ended;  // finished once the work has ended, either way
  std::exception_ptr error;
  std::optional<std::filesystem::path> unpacked;  // the work folder, until an install takes it
};

// Everything the downloads touch, shared so that it outlives the prefetch object. All members but
// the byte counts are used on the main thread only.
struct ArchivePrefetch::State : std::enable_shared_from_this<State> {
  QPointer<QObject> context;
  QThreadPool* pool = nullptr;
  Http::Progress progress;

  std::deque<ArchiveRef> pending;
  std::set<std::string> asked;
  std::map<std::string, Download> started;
  int running = 0;
  bool stopped = false;
  bool closed = false;  // no install takes a work folder any more: each is removed as it comes
  std::exception_ptr firstFailure;

  std::mutex bytesLock;
  std::map<std::string, std::pair<int64_t, int64_t>> bytes;  // received, expected; in flight only

  void startMore() {
    while (!stopped && running < parallelDownloads() && !pending.empty()) {
      // Taken off the queue first: a job that ends at once starts the next from inside start().
      const ArchiveRef next = std::move(pending.front());
      pending.pop_front();
      start(next);
    }
  }

  void start(const ArchiveRef& ref) {
    auto ended = std::make_shared<QPromise<void>>();
    ended->start();
    started.emplace(ref.key(), Download{ended, {}});
    ++running;
    download(ref);
  }

  QCoro::Task<> download(ArchiveRef ref) {
    auto self = shared_from_this();  // the state outlives this task
    const std::string key = ref.key();
    std::exception_ptr error;
    std::optional<std::filesystem::path> unpacked;
    try {
      auto job = background(
          context.data(),
          [self, ref, key] {
            return Installer::unpackMod(ref.ns, ref.name, ref.version,
                                        [self, key](int64_t received, std::optional<int64_t> expected) {
                                          self->report(key, received, expected.value_or(0));
                                        });
          },
          pool);
      unpacked = co_await job;
    } catch (const Abandoned&) {
      stopped = true;  // the sync that wanted it is gone
    } catch (...) {
      error = std::current_exception();
    }
    finished(key, error, std::move(unpacked));
  }

  void finished(const std::string& key, std::exception_ptr error,
                std::optional<std::filesystem::path> unpacked) {
    --running;
    {
      std::lock_guard guard{bytesLock};
      bytes.erase(key);
    }
    if (error && !firstFailure) {
      firstFailure = error;
      stopped = true;
    }
    Download& d = started.at(key);
    d.error = error;
    if (unpacked && closed)
      FS::remove(*unpacked);
    else
      d.unpacked = std::move(unpacked);
    d.ended->finish();
    startMore();
  }

  // From now on no install takes a work folder: the ones waiting go, and later ones as they come.
  void close() {
    closed = true;
    for (auto& [key, download] : started)
      if (download.unpacked) FS::remove(*std::exchange(download.unpacked, std::nullopt));
  }

  void report(const std::string& key, int64_t received, int64_t expected) {
    std::lock_guard guard{bytesLock};
    bytes[key] = {received, expected};
    int64_t got = 0, total = 0;
    for (const auto& [k, counts] : bytes) got += counts.first, total += counts.second;
    progress(got, total > 0 ? std::optional(total) : std::nullopt);
  }
};

ArchivePrefetch::ArchivePrefetch(QObject* context, QThreadPool* pool, Http::Progress progress)
    : state_(std::make_shared<State>()) {
  state_->context = context;
  state_->pool = pool;
  state_->progress = std::move(progress);
}

ArchivePrefetch::~ArchivePrefetch() {
  state_->stopped = true;
  state_->pending.clear();
  state_->close();
}

void ArchivePrefetch::want(const ArchiveRef& ref) {
  if (parallelDownloads() < 2 || !state_->asked.insert(ref.key()).second) return;
  state_->pending.push_back(ref);
  state_->startMore();
}

QCoro::Task<std::optional<std::filesystem::path>> ArchivePrefetch::ready(ArchiveRef ref) {
  const std::string key = ref.key();
  auto found = state_->started.find(key);
  if (found == state_->started.end()) {
    if (state_->stopped && state_->firstFailure) std::rethrow_exception(state_->firstFailure);
    std::erase_if(state_->pending, [&](const ArchiveRef& r) { return r.key() == key; });
    co_return std::nullopt;
  }
  QFuture<void> ended = found->second.ended->future();
  co_await ended;
  Download& d = state_->started.at(key);
  if (d.error) std::rethrow_exception(state_->firstFailure ? state_->firstFailure : d.error);
  co_return std::exchange(d.unpacked, std::nullopt);
}

QCoro::Task<> ArchivePrefetch::settle() {
  state_->stopped = true;
  state_->pending.clear();
  std::vector<QFuture<void>> inFlight;
  for (const auto& [key, download] : state_->started)
    if (!download.ended->future().isFinished()) inFlight.push_back(download.ended->future());
  for (auto& ended : inFlight) co_await ended;
  state_->close();
}
