#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/config_models.hpp"

class QFileSystemWatcher;

// The settings sheet of the selected profile: its config files, the one being edited (setting by
// setting for the loader's .cfg files, as text for the others), saving and reverting, a search
// through every setting, and the guards: no saving while the game runs (it rewrites these files
// when it quits), and a choice when the file changed on disk under unsaved edits.
class ConfigEditor : public QObject {
  Q_OBJECT
  Q_PROPERTY(ConfigFileListModel* files READ files CONSTANT)
  Q_PROPERTY(ConfigEntryModel* entries READ entries CONSTANT)
  Q_PROPERTY(ConfigMatchModel* matches READ matches CONSTANT)
  // The profile's config folder; the view lists it when it shows and when it changes.
  Q_PROPERTY(QString folder READ folder NOTIFY folderChanged)
  Q_PROPERTY(bool listing READ listing NOTIFY listingChanged)
  Q_PROPERTY(QString currentPath READ currentPath NOTIFY currentChanged)
  Q_PROPERTY(QString currentTitle READ currentTitle NOTIFY currentChanged)
  Q_PROPERTY(QString currentName READ currentName NOTIFY currentChanged)
  Q_PROPERTY(bool settingsFile READ settingsFile NOTIFY currentChanged)
  Q_PROPERTY(bool opening READ opening NOTIFY currentChanged)
  // Why the file cannot be shown or edited, as a sentence; empty when it can.
  Q_PROPERTY(QString problem READ problem NOTIFY currentChanged)
  Q_PROPERTY(QString problemDetail READ problemDetail NOTIFY currentChanged)
  Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
  Q_PROPERTY(int focusRow READ focusRow NOTIFY focusRowChanged)
  Q_PROPERTY(bool dirty READ dirty NOTIFY stateChanged)
  Q_PROPERTY(bool canSave READ canSave NOTIFY stateChanged)
  Q_PROPERTY(bool gameRunning READ gameRunning NOTIFY stateChanged)
  Q_PROPERTY(bool conflict READ conflict NOTIFY stateChanged)
  // Something waits while the user decides about unsaved changes: another file or profile (its
  // title or name in `pendingTitle`), closing the sheet or playing. `pendingMessage` says what
  // the changes become.
  Q_PROPERTY(bool asking READ asking NOTIFY stateChanged)
  Q_PROPERTY(QString pendingTitle READ pendingTitle NOTIFY stateChanged)
  Q_PROPERTY(QString pendingMessage READ pendingMessage NOTIFY stateChanged)
  Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
  Q_PROPERTY(bool searching READ searching NOTIFY searchingChanged)

 public:
  // What waits for the answer about unsaved changes.
  enum class Leaving { toFile, toProfile, toClose, toPlay };

  explicit ConfigEditor(QObject* parent = nullptr);

  ConfigFileListModel* files() const { return files_; }
  ConfigEntryModel* entries() const { return entries_; }
  ConfigMatchModel* matches() const { return matches_; }
  QString folder() const { return QString::fromStdString(folder_.string()); }
  bool listing() const { return listing_; }
  QString currentPath() const;
  QString currentTitle() const { return title_; }
  QString currentName() const;
  bool settingsFile() const { return current_ && settings_; }
  bool opening() const { return opening_; }
  QString problem() const { return problem_; }
  QString problemDetail() const { return problemDetail_; }
  QString text() const { return text_; }
  void setText(const QString& text);
  int focusRow() const { return focusRow_; }
  bool dirty() const;
  bool canSave() const { return dirty() && !gameRunning_ && !conflict_ && !saving_; }
  bool gameRunning() const { return gameRunning_; }
  bool conflict() const { return conflict_; }
  bool asking() const { return pending_.has_value(); }
  QString pendingTitle() const { return pending_ ? pending_->title : QString(); }
  QString pendingMessage() const;
  QString query() const { return query_; }
  void setQuery(const QString& query);
  bool searching() const { return searching_; }

  // A new folder closes the open file and forgets the old folder's list.
  void setFolder(const std::filesystem::path& folder);
  void setGameRunning(bool running);
  // `then` leaves the open file (for the file or profile named `towards`, or by closing the sheet or
  // playing): it runs at once when nothing is unsaved, and otherwise after the user saved or dropped
  // the changes; it never runs when the user stays.
  void leave(Leaving why, const QString& towards, std::function<void()> then);

  // Lists the folder's files again and checks the open file against the disk.
  Q_INVOKABLE void refresh();
  // Opens a file of the list; with unsaved changes the switch waits for saveAndSwitch,
  // discardAndSwitch or cancelSwitch.
  Q_INVOKABLE void open(const QString& path);
  // Opens the file of a search result and shows its setting.
  Q_INVOKABLE void openMatch(int row);
  Q_INVOKABLE void saveAndSwitch();
  Q_INVOKABLE void discardAndSwitch();
  Q_INVOKABLE void cancelSwitch();

  // Why `value` cannot be the setting's value, or empty.
  Q_INVOKABLE QString valueProblem(int row, const QString& value) const;
  // Sets a setting of the open file; a value with a problem is refused (false).
  Q_INVOKABLE bool setValue(int row, const QString& value);
  Q_INVOKABLE void setFlag(int row, const QString& part, bool on);
  Q_INVOKABLE void resetToDefault(int row);

  Q_INVOKABLE void save();
  Q_INVOKABLE void revert();
  // The file changed on disk under unsaved edits: keep the edits (saving overwrites it) or take its content.
  Q_INVOKABLE void keepMine();
  Q_INVOKABLE void loadTheirs();
  // Reads the open file again in the background and reloads it when it changed and nothing is unsaved.
  Q_INVOKABLE void checkDisk();

 signals:
  void folderChanged();
  void listingChanged();
  void currentChanged();
  void textChanged();
  void focusRowChanged();
  void stateChanged();
  void queryChanged();
  void searchingChanged();
  // A save failed; the sentence is the platform's.
  void failed(const QString& message);

 private:
  struct Target {
    std::filesystem::path path;
    std::optional<size_t> line;  // the setting to show
  };
  // A switch waiting for the user's answer about unsaved changes.
  struct Pending {
    QString title;
    Leaving why;
    std::function<void()> go;
  };
  QCoro::Task<> listTask(std::filesystem::path folder);
  QCoro::Task<> openTask(Target target);
  QCoro::Task<> saveTask(std::function<void()> then);
  QCoro::Task<> checkTask();
  QCoro::Task<> searchTask(QString query);
  void request(Target target);
  // Opens the target now, or after the user's answer when there are unsaved changes.
  void switchTo(Target target);
  QString titleOf(const std::filesystem::path& file) const;
  void close();
  // A file was opened or closed: no open in flight, no conflict, the watch on the new file.
  void settle();
  void setFocusRow(int row);
  void setConflict(bool on);
  void watch();

  ConfigFileListModel* files_;
  ConfigEntryModel* entries_;
  ConfigMatchModel* matches_;
  QFileSystemWatcher* watcher_;
  std::filesystem::path folder_;
  std::optional<std::filesystem::path> current_;
  bool settings_ = false;
  QString title_;
  std::string disk_;  // the open file's bytes as last read or written
  std::string theirs_;  // what another program wrote over it, while unsaved edits wait
  QString text_, originalText_;  // with line feeds only: the text editor makes them so
  bool crlf_ = false;  // the text file's lines end in CR LF, and are saved so
  QString problem_, problemDetail_;
  int focusRow_ = -1;
  bool listing_ = false, opening_ = false, saving_ = false, searching_ = false;
  bool gameRunning_ = false, conflict_ = false;
  std::optional<Pending> pending_;
  QString query_;
  unsigned generation_ = 0;  // counts opens and saves; a disk check from before one is stale
  unsigned searchGeneration_ = 0;
};
