#pragma once

#include <atomic>
#include <list>
#include <mutex>

// A process-wide setting that tests and previews replace while workers may be reading it. Every
// value ever set stays alive, so a reference handed out by get() never dangles and never sees a
// half-written value; there are only a handful of values per process.
template <class T>
class Swappable {
 public:
  explicit Swappable(T initial) : all_{std::move(initial)}, current_{&all_.front()} {}

  const T& get() const { return *current_.load(std::memory_order_acquire); }

  void set(T value) {
    std::lock_guard guard{lock_};
    current_.store(&all_.emplace_back(std::move(value)), std::memory_order_release);
  }

 private:
  std::mutex lock_;
  std::list<T> all_;
  std::atomic<const T*> current_;
};
