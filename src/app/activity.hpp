#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

#include "catalogue/http.hpp"

// The one busy operation at a time and what the footer says about it: its label, the progress of
// its download, and the note or error it leaves behind.
//
// In QML, `busy`, `note` and `errorMessage` are empty strings when absent.
class Activity : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString busy READ busy NOTIFY busyChanged)
  Q_PROPERTY(bool idle READ idle NOTIFY idleChanged)  // no operation runs: what changes profiles is on
  // The download of the current busy step, for a progress bar next to `busy`: `progress` is the
  // fraction received, or -1 while the server has not said how much is coming.
  Q_PROPERTY(bool downloading READ downloading NOTIFY downloadingChanged)
  Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
  Q_PROPERTY(QString note READ note WRITE setNote NOTIFY noteChanged)
  Q_PROPERTY(QString errorMessage READ errorMessage WRITE setErrorMessage NOTIFY errorMessageChanged)
  // What the footer says for `busy` and `note`: `busy` naming the profile it works on when that is
  // not the selected one; the note of a removal naming the dependencies that went with it.
  Q_PROPERTY(QString busyLine READ busyLine NOTIFY busyLineChanged)
  Q_PROPERTY(QString noteLine READ noteLine NOTIFY noteLineChanged)

 public:
  // `ownerName` names the profile with the given id when the footer should name it: when it exists
  // and is not the selected one; otherwise it is empty. A change of either calls for retell().
  explicit Activity(std::function<QString(const std::string&)> ownerName, QObject* parent = nullptr);

  QString busy() const { return busy_; }
  bool idle() const { return busy_.isEmpty(); }
  bool downloading() const { return progress_.has_value(); }
  double progress() const { return progress_.value_or(0.0); }
  QString note() const { return note_; }
  void setNote(const QString& text);
  // The note of a removal: the first name is the mod the user removed, the others went with it.
  void noteRemoval(const QStringList& removed);
  QString errorMessage() const { return errorMessage_; }
  void setErrorMessage(const QString& text);
  QString busyLine() const { return busyLine_; }
  QString noteLine() const { return noteLine_; }
  // Works the footer's lines out again, telling only of a line that changed.
  void retell();

  // Runs `work` as the one busy operation under `label`; dropped while another one runs. The
  // operation belongs to the profile with `profileID`, when it works on one.
  void perform(QString label, std::function<QCoro::Task<>()> work, std::string profileID = {});
  void setBusy(const QString& label);
  // The profile the running operation works on, once it knows it.
  void setBusyProfile(std::string id);
  // Forwards texts from a worker thread to `busy`, in order, on the main thread.
  std::function<void(const std::string&)> busyReporter();
  // Forwards a worker's download progress to `progress`; a new busy step clears it.
  Http::Progress downloadReporter();

 signals:
  // Each value tells of its own change: the busy text changes with every step of an operation,
  // idleness only at its start and end.
  void busyChanged();
  void idleChanged();
  void progressChanged();
  void downloadingChanged();
  void noteChanged();
  void errorMessageChanged();
  void busyLineChanged();
  void noteLineChanged();

 private:
  QCoro::Task<> runBusy(std::function<QCoro::Task<>()> work);
  void setProgress(std::optional<double> progress);

  std::function<QString(const std::string&)> ownerName_;
  QString busy_;
  std::string busyProfile_;  // the id of the profile the busy operation works on, or empty
  QStringList removedTogether_;  // the mods the note's removal took, when dependencies went too
  std::optional<double> progress_;
  QString note_;
  QString errorMessage_;
  QString busyLine_, noteLine_;
};
