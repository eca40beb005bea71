#include "history/fault_point.hpp"

#include <atomic>

namespace History::FaultPoint {
namespace {
std::atomic<Hook> hook{nullptr};
}

void setHook(Hook h) noexcept { hook.store(h); }

void reach() {
  if (Hook h = hook.load(std::memory_order_relaxed)) h();
}
}  // namespace History::FaultPoint
