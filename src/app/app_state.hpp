#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/activity.hpp"
#include "app/catalogue_state.hpp"
#include "app/config_editor.hpp"
#include "app/game_state.hpp"
#include "app/launch_check.hpp"
#include "app/launcher.hpp"
#include "app/mod_controller.hpp"
#include "app/mod_list_model.hpp"
#include "app/mod_selection.hpp"
#include "app/mod_statuses.hpp"
#include "app/package_list_model.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "app/profile_history.hpp"
#include "app/profile_list_model.hpp"
#include "app/profile_sync.hpp"
#include "app/profile_transfer.hpp"
#include "app/selected_profile.hpp"
#include "app/values.hpp"
#include "app/window_state.hpp"
#include "app/workspace.hpp"
#include "history/history.hpp"
#include "profiles/holds.hpp"

class QFileSystemWatcher;
class QTimer;
class UpdateReview;

// The application's root: it makes the parts, wires them, and shows them and the values derived
// from them to the views. It lives on the main thread; long work runs on workers and only
// main-thread code applies the results.
//
// In QML, selectedID is an empty string when no profile is selected, and selected is null.
class AppState : public QObject {
  Q_OBJECT
  Q_MOC_INCLUDE("app/update_review.hpp")
  Q_PROPERTY(ProfileListModel* profiles READ profilesModel NOTIFY profilesChanged)
  Q_PROPERTY(QString selectedID READ selectedID WRITE setSelectedID NOTIFY selectedIDChanged)
  // What the window shows of the selected profile, worked out once per change: its record, its mod
  // rows, the counts, and whether it can change now. Reading a value costs nothing.
  Q_PROPERTY(SelectedProfile* selection READ selection CONSTANT)
  Q_PROPERTY(ConfigEditor* config READ configEditor CONSTANT)  // the selected profile's settings
  Q_PROPERTY(LaunchCheck* launchCheck READ launchCheck CONSTANT)  // what the last Play Modded loaded
  Q_PROPERTY(ProfileHistory* history READ history CONSTANT)  // the selected profile's snapshots
  // The commands on the selected profile's mods, and its Undo and Redo.
  Q_PROPERTY(ModController* modController READ modController CONSTANT)
  // The picked rows of the selected profile's mods, and the commands on all of them at once.
  Q_PROPERTY(ModSelection* modSelection READ modSelection CONSTANT)
  // Profile codes and profile files.
  Q_PROPERTY(ProfileTransfer* transfer READ transfer CONSTANT)
  Q_PROPERTY(Launcher* launcher READ launcher CONSTANT)
  // The updates of the selected profile as the update review sheet lists them.
  Q_PROPERTY(UpdateReview* review READ review CONSTANT)

  // The parts of the state with a job of their own.
  Q_PROPERTY(WindowState* window READ window CONSTANT)
  Q_PROPERTY(Activity* activity READ activity CONSTANT)
  Q_PROPERTY(GameState* game READ game CONSTANT)
  Q_PROPERTY(CatalogueState* catalogue READ catalogue CONSTANT)

 public:
  explicit AppState(QObject* parent = nullptr);
  ~AppState() override;

  // The desktop services; tests and the window replace them.
  void setWorkspace(std::shared_ptr<Workspace> workspace);
  Workspace& workspace() { return *workspace_; }

  // ---- Fields, for C++ callers.
  const std::vector<Profile>& profiles() const { return book_->all(); }
  const Settings& settings() const { return settings_; }

  QString selectedID() const { return book_->selectedID(); }
  void setSelectedID(const QString& id);

  ProfileListModel* profilesModel() const { return book_->model(); }
  ConfigEditor* configEditor() const { return config_; }
  LaunchCheck* launchCheck() const { return launchCheck_; }
  ProfileHistory* history() const { return history_; }
  WindowState* window() const { return window_; }
  Activity* activity() const { return activity_; }
  GameState* game() const { return game_; }
  CatalogueState* catalogue() const { return catalogue_; }
  ProfileBook* book() const { return book_; }
  ModStatuses* statuses() const { return statuses_; }
  ProfileChanges* changes() const { return changes_; }
  ModController* modController() const { return modController_; }
  ProfileTransfer* transfer() const { return transfer_; }
  Launcher* launcher() const { return launcher_; }
  SelectedProfile* selection() const { return selection_; }
  ModSelection* modSelection() const { return modSelection_; }
  UpdateReview* review() const { return review_; }

  // ---- Lookups.
  const Profile* selected() const;
  const Profile* current(const std::string& id) const;
  // Looks at the selected profile's files again: the window became active, and the player may
  // have changed them meanwhile.
  Q_INVOKABLE void refresh();

  // The package's place in the selected profile (the first mod with its key decides).
  Q_INVOKABLE PackageListModel::ProfileState packageState(const QString& fullName) const;
  // That first mod of the selected profile with the package's key, or null.
  Q_INVOKABLE QVariant profileMod(const QString& fullName) const;

  // ---- Start-up and the game folder the player chooses.
  Q_INVOKABLE void start();
  Q_INVOKABLE void chooseGameFolder();

  // ---- Profile operations.
  Q_INVOKABLE void newProfile(const QString& name);
  Q_INVOKABLE void rename(const ProfileItem& profile, const QString& to);
  Q_INVOKABLE void duplicate(const ProfileItem& profile);
  Q_INVOKABLE void deleteProfile(const ProfileItem& profile);
  Q_INVOKABLE void openProfileFolder();
  // Selects the profile `step` rows away from the selected one in the sidebar's order, as a click would.
  Q_INVOKABLE void selectNext(int step);
  Q_INVOKABLE bool nameIsTaken(const QString& name) const;
  Q_INVOKABLE QString uniqueName(const QString& base) const;

  // A file dropped on the window: a mod archive is installed, anything else offered as a profile file.
  Q_INVOKABLE void openDroppedFile(const QUrl& file);

  // Closes the Config Files sheet; unsaved settings ask first.
  Q_INVOKABLE void closeConfig();

  // ---- Desktop services for the views, through the workspace seam.
  Q_INVOKABLE void openURL(const QString& url);
  Q_INVOKABLE void reveal(const QString& path);
  Q_INVOKABLE void copyText(const QString& text);
  Q_INVOKABLE QString pasteText();
  Q_INVOKABLE QString logTail() const;

 signals:
  void profilesChanged();
  void selectedIDChanged();
  // start() has run to its end (the index and the update notice may still be loading).
  void startFinished();

 private:
  // Settings, the game folder, a migration of a hand-made install, the profiles, then the loads.
  QCoro::Task<> startUp();
  QCoro::Task<bool> migrateAtStart();  // false when the state died meanwhile
  void loadProfiles();
  QCoro::Task<> migrateChosenFolder();
  QCoro::Task<> dropWork(QUrl file);

  void useChosenFolder(std::optional<std::filesystem::path> folder);
  void selectProfile(const QString& id, bool keepMessages);
  // Every change of profile after start-up passes here: unsaved settings make it wait for the
  // user's answer, and it never happens when the user stays. The tab, when given, changes with it.
  void switchProfile(const QString& id, std::optional<DetailTab> tab);
  // The name of the profile the busy operation works on, for the footer: empty when it is the selected one.
  QString busyOwner(const std::string& id) const;
  void writeBack(const Profile& profile) { book_->writeBack(profile); }
  void appendProfile(Profile profile);
  // Makes the profile "Default" when there is none; the caller tells the views.
  void ensureAProfile();
  // Appends the profile `make` returns and switches to it; shows its error instead when it throws.
  void addAndSelect(const std::function<Profile()>& make, std::optional<DetailTab> tab = std::nullopt);
  // Follows the selected profile's plug-in and loader folders, so that files removed outside the
  // app show at once.
  void filesChanged();
  void watchSelectedFiles();

  std::shared_ptr<Workspace> workspace_;
  ConfigEditor* config_;
  Activity* activity_;
  GameState* game_;
  CatalogueState* catalogue_;
  ModStatuses* statuses_;
  ProfileBook* book_;
  ProfileChanges* changes_;
  ProfileSync* sync_;
  ModController* modController_;
  ProfileTransfer* transfer_;
  SelectedProfile* selection_;
  ModSelection* modSelection_;
  LaunchCheck* launchCheck_;  // after the parts it listens to
  Launcher* launcher_;
  WindowState* window_;
  ProfileHistory* history_;
  UpdateReview* review_;

  QFileSystemWatcher* filesWatcher_;
  QTimer* filesSettle_;  // changes come in bursts: one refresh after them

  Settings settings_;
  bool started_ = false;
};
