#include "app/profile_queue.hpp"

#include <QCoroFuture>
#include <QPointer>
#include <QPromise>

#include "app/background.hpp"
#include "app/values.hpp"
#include "foundation/app_error.hpp"

namespace {
QCoro::Task<> refused(QString why) {
  throw AppError(ss(why));
  co_return;
}
}  // namespace

// Jobs still waiting resume into Abandoned.
ProfileQueue::~ProfileQueue() = default;

QString ProfileQueue::refusal(const std::string& profileID) const {
  const auto line = lines_.find(profileID);
  if (line == lines_.end() || line->second.change.isEmpty()) return {};
  QString label = line->second.change;
  if (label.endsWith(u'…')) label.chop(1);
  return tr("Wait until “%1” has finished, then try again.").arg(label);
}

QCoro::Task<> ProfileQueue::change(const std::string& profileID, const QString& label, Job job) {
  if (QString why = refusal(profileID); !why.isEmpty()) return refused(why);
  lines_[profileID].change = label;
  emit changingChanged();
  return run(profileID, std::move(job), true);
}

QCoro::Task<> ProfileQueue::read(const std::string& profileID, Job job) {
  return run(profileID, std::move(job), false);
}

QCoro::Task<> ProfileQueue::run(std::string profileID, Job job, bool isChange) {
  QPointer<ProfileQueue> self(this);
  Line& line = lines_[profileID];
  if (line.running) {
    auto turn = std::make_shared<QPromise<void>>();
    turn->start();
    line.waiting.push_back(turn);
    co_await turn->future();
    if (!self) throw Abandoned{};
  }
  lines_[profileID].running = true;
  std::exception_ptr failure;
  try {
    co_await job();
  } catch (...) {
    failure = std::current_exception();
  }
  if (!self) throw Abandoned{};
  next(profileID, isChange);
  if (failure) std::rethrow_exception(failure);
}

void ProfileQueue::next(const std::string& profileID, bool endedChange) {
  Line& line = lines_[profileID];
  line.running = false;
  if (endedChange) line.change.clear();
  if (!line.waiting.empty()) {
    auto turn = std::move(line.waiting.front());
    line.waiting.pop_front();
    line.running = true;  // taken for the waiting job before anything else can start one
    turn->finish();
  } else if (line.change.isEmpty()) {
    lines_.erase(profileID);
  }
  if (endedChange) emit changingChanged();
}
