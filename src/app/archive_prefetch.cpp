#include "app/archive_prefetch.hpp"

#include <QCoroFuture>
#include <QFuture>
#include <QPointer>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <atomic>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "installer/installer.hpp"

namespace {
std::atomic<int> g_parallel{4};
}

int parallelDownloads() { return g_parallel.load(); }
void setParallelDownloads(int count) { g_parallel.store(std::max(count, 1)); }

// Everything the workers' continuations touch, shared so that it outlives the prefetch object.
// All members but the byte counts are used on the main thread only.
struct ArchivePrefetch::State : std::enable_shared_from_this<State> {
  QPointer<QObject> context;
  QThreadPool* pool = nullptr;
  Http::Progress progress;

  std::deque<ArchiveRef> pending;
  std::set<std::string> asked;
  std::map<std::string, QFuture<std::exception_ptr>> started;
  int running = 0;
  bool stopped = false;
  std::exception_ptr firstFailure;

  std::mutex bytesLock;
  std::map<std::string, std::pair<int64_t, int64_t>> bytes;  // received, expected; in flight only

  void startMore() {
    while (!stopped && running < parallelDownloads() && !pending.empty()) {
      start(pending.front());
      pending.pop_front();
    }
  }

  void start(const ArchiveRef& ref) {
    auto self = shared_from_this();
    const std::string key = ref.key();
    QFuture<std::exception_ptr> future = QtConcurrent::run(pool, [self, ref, key]() -> std::exception_ptr {
      try {
        Installer::prefetch(ref.ns, ref.name, ref.version,
                            [self, key](int64_t received, std::optional<int64_t> expected) {
                              self->report(key, received, expected.value_or(0));
                            });
        return {};
      } catch (...) {
        return std::current_exception();
      }
    });
    ++running;
    started.emplace(key, future);
    future.then(context.data(), [self, key](std::exception_ptr error) { self->finished(key, error); });
  }

  void finished(const std::string& key, std::exception_ptr error) {
    --running;
    {
      std::lock_guard guard{bytesLock};
      bytes.erase(key);
    }
    if (error && !firstFailure) {
      firstFailure = error;
      stopped = true;
    }
    startMore();
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
}

void ArchivePrefetch::want(const ArchiveRef& ref) {
  if (parallelDownloads() < 2 || !state_->asked.insert(ref.key()).second) return;
  if (Installer::archiveCached(ref.ns, ref.name, ref.version)) return;
  state_->pending.push_back(ref);
  state_->startMore();
}

QCoro::Task<> ArchivePrefetch::ready(ArchiveRef ref) {
  const std::string key = ref.key();
  auto found = state_->started.find(key);
  if (found == state_->started.end()) {
    if (state_->stopped && state_->firstFailure) std::rethrow_exception(state_->firstFailure);
    std::erase_if(state_->pending, [&](const ArchiveRef& r) { return r.key() == key; });
    co_return;
  }
  QFuture<std::exception_ptr> future = found->second;
  std::exception_ptr error = co_await future;
  if (error) std::rethrow_exception(state_->firstFailure ? state_->firstFailure : error);
}

QCoro::Task<> ArchivePrefetch::settle() {
  state_->stopped = true;
  state_->pending.clear();
  std::vector<QFuture<std::exception_ptr>> inFlight;
  for (const auto& [key, future] : state_->started)
    if (!future.isFinished()) inFlight.push_back(future);
  for (auto& future : inFlight) co_await future;
}
