#pragma once

#include <QCoroTask>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/http.hpp"
#include "foundation/package_id.hpp"

class QObject;
class QThreadPool;

// A package version whose archive a sync is going to install.
struct ArchiveRef {
  std::string ns, name, version;
  std::string key() const { return packageKey(ns, name, version); }
};

// Gets the archives a sync will install ready ahead of it, several at once and in the order they
// are asked for: each is downloaded into the download cache (or taken from it) and unpacked into a
// work folder. The sync installs them one at a time in its own order, each from its work folder.
// The first failure stops new work.
class ArchivePrefetch {
 public:
  // `context` lives on the main thread; `progress` receives the bytes of the downloads in flight,
  // summed, from worker threads one call at a time.
  ArchivePrefetch(QObject* context, QThreadPool* pool, Http::Progress progress);
  ~ArchivePrefetch();
  ArchivePrefetch(const ArchivePrefetch&) = delete;
  ArchivePrefetch& operator=(const ArchivePrefetch&) = delete;

  // Queues one archive; one already asked for is not queued again.
  void want(const ArchiveRef& ref);
  // Waits for that archive and hands over its work folder (see Installer::unpackMod), or throws its
  // failure. Returns nothing at once for one that never started (the install fetches it itself),
  // unless the work has stopped on a failure: then that first failure is thrown.
  QCoro::Task<std::optional<std::filesystem::path>> ready(ArchiveRef ref);
  // Starts nothing more, waits for the work in flight to end and removes the work folders no
  // install took.
  QCoro::Task<> settle();

 private:
  struct State;
  std::shared_ptr<State> state_;
};

// How many archives download at once (4); 1 turns prefetching off, for a sequential baseline.
int parallelDownloads();
void setParallelDownloads(int count);
