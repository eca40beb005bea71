#pragma once

// Hand-offs between threads that ThreadSanitizer cannot see on its own: Qt's thread pool and event
// queue synchronise inside a Qt that was not built with it. `release` on one thread and a later
// `acquire` of the same address on another order everything before the first before everything after
// the second. Without ThreadSanitizer both are empty.
#if defined(__SANITIZE_THREAD__)
#define QH_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define QH_THREAD_SANITIZER 1
#endif
#endif

#ifdef QH_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

namespace Sanitizer {
inline void release([[maybe_unused]] const void* address) {
#ifdef QH_THREAD_SANITIZER
  __tsan_release(const_cast<void*>(address));
#endif
}
inline void acquire([[maybe_unused]] const void* address) {
#ifdef QH_THREAD_SANITIZER
  __tsan_acquire(const_cast<void*>(address));
#endif
}
}  // namespace Sanitizer
