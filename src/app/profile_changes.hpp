#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/profile_queue.hpp"
#include "history/history.hpp"

class Activity;
class ProfileBook;

// One change of a profile at a time. Every change runs through the profile's queue as the busy
// operation, with a snapshot first when it is one the player can undo.
class ProfileChanges : public QObject {
  Q_OBJECT

 public:
  ProfileChanges(ProfileBook* book, Activity* activity, QObject* parent = nullptr);

  ProfileQueue* queue() const { return queue_; }
  // Why the profile can't be changed now, or empty when it can.
  QString refusal(const std::string& id) const;
  bool canChange(const std::string& id) const { return refusal(id).isEmpty(); }
  // Runs `work` as the busy operation `label` and as the profile's one change, or shows why it
  // can't start. With `change`, a snapshot comes first, and goes again when nothing changed.
  void perform(std::string id, QString label, std::optional<History::Change> change, ProfileQueue::Job work);
  // A save of a config file of the profile, as one of its changes; `write` runs on a worker.
  QCoro::Task<> saveConfig(std::string id, std::filesystem::path file, std::function<void()> write);

 signals:
  // A change ended, however it ended: the history has what it left.
  void settled();

 private:
  QCoro::Task<> changeTask(std::string id, std::optional<History::Change> change, ProfileQueue::Job work);

  ProfileBook* book_;
  Activity* activity_;
  ProfileQueue* queue_;
};
