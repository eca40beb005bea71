#pragma once

#include <QCoroTask>

#include <memory>
#include <string>

#include "catalogue/http.hpp"

class QObject;
class QThreadPool;

// A package version whose archive a sync is going to install.
struct ArchiveRef {
  std::string ns, name, version;
  std::string key() const { return ns + "-" + name + "-" + version; }
};

// Downloads the archives a sync will install into the download cache ahead of it, several at once
// and in the order they are asked for, while the sync installs them one at a time in its own
// order (an install then takes its archive from the cache). The first failure stops new downloads.
class ArchivePrefetch {
 public:
  // `context` lives on the main thread; `progress` receives the bytes of the downloads in flight,
  // summed, from worker threads one call at a time.
  ArchivePrefetch(QObject* context, QThreadPool* pool, Http::Progress progress);
  ~ArchivePrefetch();
  ArchivePrefetch(const ArchivePrefetch&) = delete;
  ArchivePrefetch& operator=(const ArchivePrefetch&) = delete;

  // Queues one archive; one already asked for, or already cached, is not queued again.
  void want(const ArchiveRef& ref);
  // Waits for that archive's download and throws its failure. Returns at once for one that never
  // started (the install downloads it itself), unless downloads have stopped on a failure: then
  // that first failure is thrown.
  QCoro::Task<> ready(ArchiveRef ref);
  // Starts nothing more and waits for the downloads in flight to end.
  QCoro::Task<> settle();

 private:
  struct State;
  std::shared_ptr<State> state_;
};

// How many archives download at once (4); 1 turns prefetching off, for a sequential baseline.
int parallelDownloads();
void setParallelDownloads(int count);
