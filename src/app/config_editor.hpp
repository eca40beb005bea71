#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/config_models.hpp"
#include "app/config_search.hpp"
#include "app/unsaved_prompt.hpp"

class QFileSystemWatcher;

// The open file as the sheet shows it; empty when none is open.
struct OpenConfigFile {
  Q_GADGET
  Q_PROPERTY(QString path MEMBER path)
  Q_PROPERTY(QString title MEMBER title)
  Q_PROPERTY(QString name MEMBER name)
  Q_PROPERTY(bool settingsFile MEMBER settingsFile)
  // Why the file cannot be shown or edited, as a sentence; empty when it can.
  Q_PROPERTY(QString problem MEMBER problem)
  Q_PROPERTY(QString problemDetail MEMBER problemDetail)

 public:
  QString path, title, name;
  bool settingsFile = false;
  QString problem, problemDetail;
  bool operator==(const OpenConfigFile&) const = default;
};

// The settings sheet of the selected profile: its config files, the one being edited (setting by
// setting for the loader's .cfg files, as text for the others), saving and reverting, a search
// through every setting, and the guards: no saving while the game runs (it rewrites these files
// when it quits), and a choice when the file changed on disk under unsaved edits.
class ConfigEditor : public QObject {
  Q_OBJECT
  Q_PROPERTY(ConfigFileListModel* files READ files CONSTANT)
  Q_PROPERTY(ConfigEntryModel* entries READ entries CONSTANT)
  Q_PROPERTY(ConfigSearch* search READ search CONSTANT)
  // The profile's config folder; the view lists it when it shows and when it changes.
  Q_PROPERTY(QString folder READ folder NOTIFY folderChanged)
  Q_PROPERTY(bool listing READ listing NOTIFY listingChanged)
  Q_PROPERTY(OpenConfigFile current READ current NOTIFY currentChanged)
  Q_PROPERTY(bool opening READ opening NOTIFY currentChanged)
  Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
  Q_PROPERTY(int focusRow READ focusRow NOTIFY focusRowChanged)
  Q_PROPERTY(bool dirty READ dirty NOTIFY stateChanged)
  Q_PROPERTY(bool canSave READ canSave NOTIFY stateChanged)
  Q_PROPERTY(bool gameRunning READ gameRunning NOTIFY stateChanged)
  Q_PROPERTY(bool conflict READ conflict NOTIFY stateChanged)
  // The question about unsaved changes in the way of a switch.
  Q_PROPERTY(UnsavedPrompt* prompt READ prompt CONSTANT)

 public:
  // What waits for the answer about unsaved changes.
  using Leaving = UnsavedPrompt::Leaving;

  explicit ConfigEditor(QObject* parent = nullptr);

  ConfigFileListModel* files() const { return files_; }
  ConfigEntryModel* entries() const { return entries_; }
  ConfigSearch* search() const { return search_; }
  UnsavedPrompt* prompt() const { return prompt_; }
  QString folder() const { return QString::fromStdString(folder_.string()); }
  bool listing() const { return listing_; }
  QString currentPath() const;
  QString currentTitle() const { return title_; }
  QString currentName() const;
  OpenConfigFile current() const;
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

  // Runs a save as a change of the profile the file belongs to: `write` on a worker, inside it. What
  // the task throws (a refusal while the profile is busy) stops the save and shows as `failed`.
  // Without one, `write` simply runs on a worker.
  using SaveRunner = std::function<QCoro::Task<>(std::filesystem::path file, std::function<void()> write)>;
  void setSaveRunner(SaveRunner runner) { saveRunner_ = std::move(runner); }
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
  // A save failed; the sentence is the platform's.
  void failed(const QString& message);
  void saved();

 private:
  struct Target {
    std::filesystem::path path;
    std::optional<size_t> line;  // the setting to show
  };
  QCoro::Task<> listTask(std::filesystem::path folder);
  QCoro::Task<> openTask(Target target);
  QCoro::Task<> saveTask(std::function<void()> then);
  QCoro::Task<> checkTask();
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
  ConfigSearch* search_;
  UnsavedPrompt* prompt_;
  QFileSystemWatcher* watcher_;
  SaveRunner saveRunner_;
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
  bool listing_ = false, opening_ = false, saving_ = false;
  bool gameRunning_ = false, conflict_ = false;
  unsigned generation_ = 0;  // counts opens and saves; a disk check from before one is stale
};
