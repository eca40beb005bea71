#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QVariantList>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "app/log_follower.hpp"
#include "diagnostics/launch_report.hpp"
#include "profiles/good_launch.hpp"

class Activity;
class CatalogueState;
class GameState;
class ModController;
class ModStatuses;
class ProfileBook;
class ProfileChanges;
class QFileSystemWatcher;
class Workspace;
class QTimer;

// After Play Modded: follows the profile's LogOutput.log as the loader writes it, keeps the report
// of the last launch until the next one, and notices a loader that never started. The file is
// watched, not polled: the watcher wakes it, a worker reads the new bytes.
class LaunchCheck : public QObject {
  Q_OBJECT
  // A fresh log of the last launch has been read (the report sheet can open).
  Q_PROPERTY(bool hasReport READ hasReport NOTIFY reportChanged)
  // "42 mods loaded." once start-up completed; empty before.
  Q_PROPERTY(QString summary READ summary NOTIFY summaryChanged)
  Q_PROPERTY(QString loader READ loader NOTIFY reportChanged)  // "5.4.22.0", or empty
  Q_PROPERTY(int loaded READ loaded NOTIFY reportChanged)
  Q_PROPERTY(int skipped READ skipped NOTIFY reportChanged)
  Q_PROPERTY(int failed READ failed NOTIFY reportChanged)
  // The problems grouped by mod, one entry each: the group's title and subtitle where a group
  // starts, the plain reason, its lines and excerpt, and the one action that fixes it (if any).
  // Those fixed since the launch come last, the first of them with a heading, each saying what
  // was done in place of its action.
  Q_PROPERTY(QVariantList problems READ problems NOTIFY problemsChanged)
  // Warnings without an exception, in the same shape: worth a look, not counted as problems.
  Q_PROPERTY(QVariantList warnings READ warnings NOTIFY problemsChanged)
  // The file the loader writes holds something else.
  Q_PROPERTY(bool notALoaderLog READ notALoaderLog NOTIFY reportChanged)
  // The game runs, yet no fresh log came within the patience: the loader did not hook in.
  Q_PROPERTY(bool noLoader READ noLoader NOTIFY noLoaderChanged)

 public:
  struct Parts {
    ProfileBook* book;
    Activity* activity;
    CatalogueState* catalogue;
    GameState* game;
    ModStatuses* statuses;
    ProfileChanges* changes;
    ModController* mods;  // through which the report's fixes are made
    // What turning a mod off asks first, the same as anywhere else.
    std::function<QString(const std::string& key)> offQuestion;
    std::function<void()> play;  // Play Modded, as the player starts it
    std::function<Workspace&()> workspace;  // the desktop services
  };
  explicit LaunchCheck(Parts parts, QObject* parent = nullptr);
  ~LaunchCheck() override;

  // What a launch is measured against, read as it starts: the profile's last launch that started
  // up, the game's build now, and for each mod updated since that launch the snapshot that still
  // had the version that worked.
  struct Baseline {
    std::optional<GoodLaunch> good;
    std::optional<int64_t> gameBuild;
    std::map<std::string, std::string> snapshotBefore;  // mod key → snapshot id
  };
  // The snapshots of `baseline` for the profile as it is launched (reads its history: on a worker).
  static void findSnapshots(Baseline& baseline, const Profile& profile);

  // How long a running game may go without a fresh log (a minute; tests shorten it).
  void setPatience(std::chrono::milliseconds patience);
  // Forgets the last launch's report and follows `log` of the profile. `before` is the file as it
  // was before the launch. Once the log says start-up completed, the launch is recorded as the
  // profile's good launch.
  void follow(const Profile& profile, std::filesystem::path log, LogFollower::Stamp before,
              Baseline baseline = {});
  const std::optional<Diagnostics::LaunchReport>& report() const { return report_; }

  bool hasReport() const { return report_.has_value(); }
  QString summary() const;
  QString loader() const;
  int loaded() const;
  int skipped() const;
  int failed() const;
  QVariantList problems() const { return problems_; }
  QVariantList warnings() const { return warnings_; }
  bool notALoaderLog() const;
  bool noLoader() const { return noLoader_; }

  // The report as plain text, for a help channel.
  Q_INVOKABLE QString text() const;
  Q_INVOKABLE void copyReport();
  Q_INVOKABLE void openLogFile();
  // The start script's own output (the launch log the app writes).
  Q_INVOKABLE void showLaunchOutput();
  Q_INVOKABLE void dismissNoLoader();
  // Takes the action of the problem with `key` (a row's "key"), by the same rules as anywhere else:
  // turning off a mod that others need happens only `confirmed`; until then the question to ask
  // comes back and nothing changes.
  Q_INVOKABLE QString fix(const QString& key, bool confirmed = false);
  // Undoes the change the last fix made.
  Q_INVOKABLE void undoFix();

  // What mends a launch whose loader never started, one for each likely cause.
  Q_INVOKABLE void quitAndPlayModded();
  Q_INVOKABLE void installRosetta();
  Q_INVOKABLE void repairLoaderFiles();
  Q_INVOKABLE void clearQuarantine();

 signals:
  void reportChanged();
  void problemsChanged();
  void noLoaderChanged();
  // The summary changed from `before` (empty when start-up just completed).
  void summaryChanged(const QString& before);

 private:
  void read();
  QCoro::Task<> readTask(std::shared_ptr<LogFollower> follower);
  void watch();
  void setReport(Diagnostics::LaunchReport report);
  void setNoLoader(bool on);
  void checkLoader();
  void refreshProblems();
  // Tells of a changed summary, with the one it replaces.
  void announceSummary();
  // Records the launch as the profile's good one, once per launch.
  void recordGoodLaunch();
  QCoro::Task<> recordTask(Profile profile, GoodLaunch record);
  // The rows of `problems`, grouped by mod; each says what fixed it, or offers its action.
  // `outcomes` holds what fixed each fixed one, worked out once per refresh.
  using Outcomes = std::unordered_map<const Diagnostics::LogProblem*, QString>;
  QVariantList rows(const std::vector<const Diagnostics::LogProblem*>& problems, bool actionable,
                    const Outcomes& outcomes) const;
  // What was done since the launch that fixes `problem` ("Turned off"), or empty.
  QString outcome(const Diagnostics::LogProblem& problem) const;
  void mend(const QString& label, std::function<void()> work, const QString& note, bool thenPlay = false);
  QCoro::Task<> mendWork(std::function<void()> work, QString note, bool thenPlay);
  const Profile* profile() const;
  // The launched profile is the selected one, and it can be changed now.
  bool canFix(const Profile* p) const;

  Parts parts_;
  QFileSystemWatcher* watcher_;
  QTimer* patience_;
  std::shared_ptr<LogFollower> follower_;
  std::string profileID_;
  std::optional<Profile> launched_;  // the profile as it was launched
  Baseline baseline_;
  bool recorded_ = false;  // this launch is recorded as a good one
  std::optional<Diagnostics::LaunchReport> report_;
  QVariantList problems_, warnings_;
  int fixedCount_ = 0;
  QString lastFix_;  // the key of the problem the last fix was for
  QString summary_;  // the summary last told of
  QString startingNote_;
  bool playAfterMending_ = false;
  bool reading_ = false, again_ = false;
  bool waited_ = false;  // the patience ran out
  bool ended_ = false;  // the game quit after this launch
  bool noLoader_ = false;
};
