#pragma once

// Running blocking core calls on a worker thread from main-thread coroutines.

#include <QCoroFuture>
#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

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

template <typename R>
using OutcomeFuture = QFuture<std::shared_ptr<Outcome<R>>>;

// Awaits the worker's outcome, then hands out its value or rethrows its error.
template <typename R>
QCoro::Task<R> awaitOutcome(QPointer<QObject> owner, OutcomeFuture<R> future) {
  std::shared_ptr<Outcome<R>> outcome = co_await future;
  if (!owner) throw Abandoned{};
  if (outcome->error) std::rethrow_exception(outcome->error);
  if constexpr (!std::is_void_v<R>) co_return std::move(*outcome->value);
}
}  // namespace detail

// Runs `work` on the global thread pool and resumes on the awaiting (main) thread. The worker's
// exception is rethrown here as it was thrown, not wrapped. Throws Abandoned when `owner` died meanwhile.
// Name the task before awaiting it (`auto job = background(...); co_await job;`): GCC 12 destroys a
// closure temporary inside a co_await expression twice. For the same reason this is not itself a
// coroutine, so the callable never becomes a coroutine parameter.
template <typename F, typename R = std::invoke_result_t<F&>>
QCoro::Task<R> background(QObject* owner, F work) {
  using O = detail::Outcome<R>;
  // A shared pointer keeps QFuture's copy of the result cheap (the index holds thousands of packages).
  detail::OutcomeFuture<R> future = QtConcurrent::run([work = std::move(work)]() mutable {
    auto o = std::make_shared<O>();
    try {
      if constexpr (std::is_void_v<R>)
        work();
      else
        o->value.emplace(work());
    } catch (...) {
      o->error = std::current_exception();
    }
    return o;
  });
  QPointer<QObject> guard(owner);
  return detail::awaitOutcome<R>(guard, future);
}
