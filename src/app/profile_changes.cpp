// Every change of a profile runs through its queue, with a snapshot first when it is one the
// player can undo.
#include "app/profile_changes.hpp"

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/profile_book.hpp"
#include "app/values.hpp"
#include "foundation/app_error.hpp"

ProfileChanges::ProfileChanges(ProfileBook* book, Activity* activity, QObject* parent)
    : QObject(parent), book_(book), activity_(activity), queue_(new ProfileQueue(this)) {}

QString ProfileChanges::refusal(const std::string& id) const {
  if (QString why = queue_->refusal(id); !why.isEmpty()) return why;
  if (activity_->idle()) return {};
  QString label = activity_->busy();
  if (label.endsWith(u'…')) label.chop(1);
  return tr("Wait until “%1” has finished, then try again.").arg(label);
}

void ProfileChanges::perform(std::string id, QString label, std::optional<History::Change> change,
                             ProfileQueue::Job work) {
  if (QString why = refusal(id); !why.isEmpty()) {
    activity_->setErrorMessage(why);
    return;
  }
  activity_->perform(
      label,
      [this, id, label, change, work] {
        return queue_->change(id, label, [this, id, change, work] { return changeTask(id, change, work); });
      },
      id);
}

QCoro::Task<> ProfileChanges::changeTask(std::string id, std::optional<History::Change> change,
                                         ProfileQueue::Job work) {
  const Profile* found = book_->find(id);
  if (!found) co_return;
  const std::filesystem::path dir = found->dir();
  std::string snapshotID;
  // The snapshot and the comparison after the change read the record from disk.
  auto before = book_->saved();
  co_await before;
  if (change) {
    auto taking = background(this, [dir, change] { return History::snapshot(dir, *change); });
    snapshotID = co_await taking;
  }
  std::exception_ptr failure;
  try {
    co_await work();
  } catch (const Abandoned&) {
    throw;
  } catch (...) {
    failure = std::current_exception();
  }
  // A change ends once what it wrote is on disk, however it ended.
  auto after = book_->saved();
  co_await after;
  // A change that failed half-way may still have changed something; one that changed nothing leaves no line.
  if (!snapshotID.empty()) {
    auto settling = background(this, [dir, snapshotID] { History::dropIfUnchanged(dir, snapshotID); });
    co_await settling;
  }
  emit settled();
  if (failure) std::rethrow_exception(failure);
}

QCoro::Task<> ProfileChanges::saveConfig(std::string id, std::filesystem::path file,
                                         std::function<void()> write) {
  const QString label = tr("Saving %1…").arg(qs(file.filename().string()));
  auto saving = queue_->change(id, label, [this, id, file, write] {
    return changeTask(id, History::describeConfigSave(file),
                      [this, write] { return background(this, write); });
  });
  co_await saving;
}
