#pragma once

// Running blocking core calls on a worker thread from main-thread coroutines.

#include <QCoroFuture>
#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QPromise>
#include <QRunnable>
#include <QThreadPool>

#include <exception>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

#include "foundation/sanitizer.hpp"

// Thrown into a coroutine that resumes after its owner was destroyed; the top-level task catches it
// and ends without touching the owner.
struct Abandoned {};

namespace detail {
template <typename R>
struct Outcome {
  std::optional<R> value;
  std::exception_ptr error;
};
template <>
struct Outcome<void> {
  std::exception_ptr error;
};

// Every job releases this when it ends, so a wait for all of them orders what they did before what follows.
inline const char jobsEnded = 0;

// Runs `work` on a pool thread and keeps its value or error in `outcome`.
template <typename F, typename R>
class Job : public QRunnable {
 public:
  Job(F work, std::shared_ptr<Outcome<R>> outcome) : work_(std::move(work)), outcome_(std::move(outcome)) {
    promise_.start();
  }
  QFuture<void> future() { return promise_.future(); }

  void run() override {
    Sanitizer::acquire(this);
    try {
      if constexpr (std::is_void_v<R>)
        work_();
      else
        outcome_->value.emplace(work_());
    } catch (...) {
      outcome_->error = std::current_exception();
    }
    Sanitizer::release(outcome_.get());
    Sanitizer::release(&jobsEnded);
    promise_.finish();
  }

 private:
  F work_;
  std::shared_ptr<Outcome<R>> outcome_;
  QPromise<void> promise_;
};

// Awaits the worker, then hands out its value or rethrows its error.
template <typename R>
QCoro::Task<R> awaitOutcome(QPointer<QObject> owner, QFuture<void> done,
                            std::shared_ptr<Outcome<R>> outcome) {
  co_await done;
  Sanitizer::acquire(outcome.get());
  if (!owner) throw Abandoned{};
  if (outcome->error) std::rethrow_exception(outcome->error);
  if constexpr (!std::is_void_v<R>) co_return std::move(*outcome->value);
}
}  // namespace detail

// Runs `work` on `pool` (the global one unless given) and resumes on the awaiting (main) thread. The worker's
// exception is rethrown here as it was thrown, not wrapped. Throws Abandoned when `owner` died meanwhile.
// Name the task before awaiting it (`auto job = background(...); co_await job;`): GCC 12 destroys a
// closure temporary inside a co_await expression twice. For the same reason this is not itself a
// coroutine, so the callable never becomes a coroutine parameter.
template <typename F, typename R = std::invoke_result_t<F&>>
QCoro::Task<R> background(QObject* owner, F work, QThreadPool* pool = QThreadPool::globalInstance()) {
  auto outcome = std::make_shared<detail::Outcome<R>>();
  auto* job = new detail::Job<F, R>(std::move(work), outcome);  // the pool deletes it after running
  QFuture<void> done = job->future();
  Sanitizer::release(job);
  pool->start(job);
  return detail::awaitOutcome<R>(QPointer<QObject>(owner), std::move(done), std::move(outcome));
}

// Blocks until every job on the global pool has ended (the application's exit does the same).
inline void waitForBackgroundJobs() {
  QThreadPool::globalInstance()->waitForDone();
  Sanitizer::acquire(&detail::jobsEnded);
}
