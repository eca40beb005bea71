#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>

template <typename T>
class QPromise;

// One thing at a time with each profile. Every change of a profile (its mods, its config files, a
// restore, Undo and Redo, an import over it) runs as a job of the profile's queue, and so does
// every read of its history: a job starts when the one before it has ended, so snapshots, pruning
// and restores of one profile never overlap. A change does not wait behind another change: it is
// refused with a sentence that says why.
class ProfileQueue : public QObject {
  Q_OBJECT

 public:
  using Job = std::function<QCoro::Task<>()>;

  using QObject::QObject;
  ~ProfileQueue() override;

  // Why a change of the profile can't start now ("Wait until “Saving BepInEx.cfg” has finished,
  // then try again."), or empty when it can.
  QString refusal(const std::string& profileID) const;
  bool changing(const std::string& profileID) const {
    return lines_.count(profileID) && !lines_.at(profileID).change.isEmpty();
  }

  // Runs the change `label` names after the reads queued before it. When another change of the
  // profile runs or waits, the task throws AppError with the refusal instead.
  QCoro::Task<> change(const std::string& profileID, const QString& label, Job job);
  // Runs the read after every job queued before it.
  QCoro::Task<> read(const std::string& profileID, Job job);

 signals:
  // A change of some profile began or ended.
  void changingChanged();

 private:
  struct Line {
    bool running = false;
    QString change;  // the label of the change that runs or waits, if one does
    std::deque<std::shared_ptr<QPromise<void>>> waiting;
  };
  QCoro::Task<> run(std::string profileID, Job job, bool isChange);
  // The job ended: the next one in line starts.
  void next(const std::string& profileID, bool endedChange);

  std::map<std::string, Line> lines_;
};
