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
#include "app/mod_list_model.hpp"
#include "app/package_list_model.hpp"
#include "app/profile_history.hpp"
#include "app/profile_list_model.hpp"
#include "app/profile_queue.hpp"
#include "app/values.hpp"
#include "app/window_state.hpp"
#include "app/workspace.hpp"
#include "history/history.hpp"
#include "profiles/holds.hpp"

class ArchivePrefetch;
namespace ProfileStore {
struct ImportedProfile;
}
class QThreadPool;

class QTimer;

// The one controller of the application and the state every view observes. It lives on the main
// thread; long work runs on workers and only main-thread code applies the results.
//
// In QML, selectedID is an empty string when no profile is selected, and selected is null.
class AppState : public QObject {
  Q_OBJECT
  Q_PROPERTY(ProfileListModel* profiles READ profilesModel NOTIFY profilesChanged)
  Q_PROPERTY(QString selectedID READ selectedID WRITE setSelectedID NOTIFY selectedIDChanged)

  // Derived values, recomputed whenever what they depend on changes.
  Q_PROPERTY(QVariant selected READ selectedItem NOTIFY derivedChanged)
  Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY derivedChanged)  // -1 when none
  Q_PROPERTY(int needsInstallCount READ selectedNeedsInstall NOTIFY derivedChanged)
  Q_PROPERTY(int updateCountSelected READ selectedUpdateCount NOTIFY derivedChanged)
  Q_PROPERTY(int heldUpdatesSelected READ selectedHeldUpdates NOTIFY derivedChanged)
  Q_PROPERTY(int packStatusSelected READ selectedPackStatus NOTIFY derivedChanged)
  // Whether the selected profile can be changed now: no other change of it, and no busy operation.
  Q_PROPERTY(bool canChange READ canChange NOTIFY derivedChanged)
  Q_PROPERTY(ModListModel* mods READ modsModel CONSTANT)  // explicit mods
  Q_PROPERTY(ModListModel* dependencies READ dependenciesModel CONSTANT)  // automatic ones
  Q_PROPERTY(ConfigEditor* config READ configEditor CONSTANT)  // the selected profile's settings
  Q_PROPERTY(LaunchCheck* launchCheck READ launchCheck CONSTANT)  // what the last Play Modded loaded
  Q_PROPERTY(ProfileHistory* history READ history CONSTANT)  // the selected profile's snapshots

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
  const std::vector<Profile>& profiles() const { return profiles_->items(); }
  const Settings& settings() const { return settings_; }

  QString selectedID() const { return selectedID_; }
  void setSelectedID(const QString& id);

  ProfileListModel* profilesModel() const { return profiles_; }
  ModListModel* modsModel() const { return mods_; }
  ModListModel* dependenciesModel() const { return dependencies_; }
  ConfigEditor* configEditor() const { return config_; }
  LaunchCheck* launchCheck() const { return launchCheck_; }
  ProfileHistory* history() const { return history_; }
  WindowState* window() const { return window_; }
  Activity* activity() const { return activity_; }
  GameState* game() const { return game_; }
  CatalogueState* catalogue() const { return catalogue_; }

  // ---- Derived values and lookups.
  const Profile* selected() const;
  const Profile* current(const std::string& id) const;
  int selectedIndex() const;
  QVariant selectedItem() const;
  int selectedNeedsInstall() const;
  int selectedUpdateCount() const;
  int selectedHeldUpdates() const;
  int selectedPackStatus() const;
  bool canChange() const;
  // Why the profile can't be changed now, or empty when it can.
  QString changeRefusal(const std::string& id) const;

  // The package's place in the selected profile (the first mod with its key decides).
  Q_INVOKABLE PackageListModel::ProfileState packageState(const QString& fullName) const;
  // That first mod of the selected profile with the package's key, or null.
  Q_INVOKABLE QVariant profileMod(const QString& fullName) const;

  // ---- Start-up and the game folder.
  Q_INVOKABLE void start();
  Q_INVOKABLE void checkGame();
  Q_INVOKABLE void chooseGameFolder();
  void pollGame();

  // ---- Mod status.
  ModStatus status(const ProfileMod& mod, const Profile& profile) const;
  // What turning a mod of the selected profile off asks first, the same wherever it is turned off.
  QString offQuestion(const std::string& key) const;
  // The catalogue's entry for a mod of the profile; null for a mod installed from a file.
  const TSPackage* catalogued(const std::string& ns, const std::string& name, const Profile& profile) const;
  ModStatus packStatus(const Profile& profile) const;
  int needsInstall(const Profile& profile) const;
  // Mods with an update the catalogue has, held ones left out.
  int updateCount(const Profile& profile) const;
  // The version the profile holds the mod at, or none.
  std::optional<std::string> heldVersion(const Profile& profile, const std::string& key) const;
  // Held mods the catalogue has a newer version of.
  int heldUpdateCount(const Profile& profile) const;
  // The version the selected profile holds the package at, or empty.
  Q_INVOKABLE QString heldAt(const QString& fullName) const;

  // ---- Mod and profile operations.
  Q_INVOKABLE void add(const PackageItem& package);
  Q_INVOKABLE void remove(const ModItem& mod);
  Q_INVOKABLE void setEnabled(const ModItem& mod, bool on);
  Q_INVOKABLE void update(const ModItem& mod);
  Q_INVOKABLE void updateAll();
  Q_INVOKABLE void installMissing();
  // Keeps the mod at its installed version: no update shows, and Update All passes it by.
  Q_INVOKABLE void hold(const ModItem& mod);
  Q_INVOKABLE void releaseHold(const ModItem& mod);
  // Adds a mod from a zip file with a manifest to the selected profile, with what it needs from
  // the catalogue. Such a mod stays as it is: it is never updated from the catalogue.
  Q_INVOKABLE void installModFile(const QUrl& file);
  Q_INVOKABLE void newProfile(const QString& name);
  Q_INVOKABLE void rename(const ProfileItem& profile, const QString& to);
  Q_INVOKABLE void duplicate(const ProfileItem& profile);
  Q_INVOKABLE void deleteProfile(const ProfileItem& profile);
  Q_INVOKABLE void openProfileFolder();
  // Selects the profile `step` rows away from the selected one in the sidebar's order, as a click would.
  Q_INVOKABLE void selectNext(int step);
  // Empties the shared download cache and says in `note` how much it freed.
  Q_INVOKABLE void clearDownloadCache();
  Q_INVOKABLE bool nameIsTaken(const QString& name) const;
  Q_INVOKABLE QString uniqueName(const QString& base) const;

  // ---- History: every change of a profile first takes a snapshot of it.
  // Puts the selected profile back as the snapshot has it and installs what that needs.
  Q_INVOKABLE void restore(const QString& snapshotID);
  // A step of the history: to a snapshot from the sheet, or Undo or Redo.
  enum class Going { toSnapshot, back, forward };
  // One step back (forward) along the selected profile's changes.
  Q_INVOKABLE void undo();
  Q_INVOKABLE void redo();

  // ---- Profile codes.
  Q_INVOKABLE void shareCode(const ProfileItem& profile);
  void importCode(QString code, ImportTarget target);
  Q_INVOKABLE void importCodeAsNew(const QString& code, const QString& name);
  Q_INVOKABLE void importCodeReplacing(const QString& code, const QString& profileID);

  // ---- Profile files: the archive of a profile code, kept in a file (".r2z").
  Q_INVOKABLE void exportProfileFile(const ProfileItem& profile, const QUrl& file);
  void importProfileFile(QUrl file, ImportTarget target);
  Q_INVOKABLE void importFileAsNew(const QUrl& file, const QString& name);
  Q_INVOKABLE void importFileReplacing(const QUrl& file, const QString& profileID);
  // A file dropped on the window: a mod archive is installed, anything else offered as a profile file.
  Q_INVOKABLE void openDroppedFile(const QUrl& file);

  // ---- Play and logs.
  Q_INVOKABLE void play();
  // Closes the Config Files sheet; unsaved settings ask first.
  Q_INVOKABLE void closeConfig();
  Q_INVOKABLE void openGameLog();

  // ---- Desktop services for the views, through the workspace seam.
  Q_INVOKABLE void openURL(const QString& url);
  Q_INVOKABLE void reveal(const QString& path);
  Q_INVOKABLE void copyText(const QString& text);
  Q_INVOKABLE QString pasteText();
  Q_INVOKABLE QString logTail() const;

 signals:
  void profilesChanged();
  void selectedIDChanged();
  void derivedChanged();
  // start() has run to its end (the index and the update notice may still be loading).
  void startFinished();

 private:
  // Settings, the game folder, a migration of a hand-made install, the profiles, then the loads.
  QCoro::Task<> startUp();
  QCoro::Task<bool> migrateAtStart();  // false when the state died meanwhile
  void loadProfiles();
  void startPolling();
  QCoro::Task<> pollTask();
  QCoro::Task<> migrateChosenFolder();
  // Makes the profile's files match what it wants: the loader, the pack, then the mods wave by wave.
  QCoro::Task<> syncProfile(std::string id);
  QCoro::Task<Profile> syncPack(Profile p, std::filesystem::path gameDir);
  QCoro::Task<> syncMods(Profile p);
  // One mod of a wave: installed when it must be, and what it needs added to the profile.
  struct SyncedMod {
    Profile profile;
    std::vector<std::string> needs;  // the keys of what the mod needs
  };
  QCoro::Task<SyncedMod> syncMod(Profile p, std::string key, ArchivePrefetch* prefetch);
  // The catalogue's latest version, from the index or else asked of the catalogue.
  QCoro::Task<std::optional<std::string>> latestVersion(DependencyRef wanted);
  // Runs `work` as the busy operation `label` and as the profile's one change, or shows why it
  // can't start. With `change`, a snapshot comes first, and goes again when nothing changed.
  void performChange(std::string id, QString label, std::optional<History::Change> change,
                     ProfileQueue::Job work);
  QCoro::Task<> changeTask(std::string id, std::optional<History::Change> change, ProfileQueue::Job work);
  // A save of a config file of the profile, as one of its changes; `write` runs on a worker.
  QCoro::Task<> saveConfig(std::string id, std::filesystem::path file, std::function<void()> write);
  QCoro::Task<> addWork(std::string id, TSPackage pkg);
  QCoro::Task<> removeWork(std::string id, std::string key);
  QCoro::Task<> setEnabledWork(std::string id, std::string key, bool on);
  QCoro::Task<> updateWork(std::string id, std::string key, QString name, std::string version);
  QCoro::Task<> syncWork(std::string id, QString note);
  QCoro::Task<> updateAllWork(std::string id);
  QCoro::Task<> restoreWork(std::string id, Going going, std::string snapshotID);
  void go(Going going, const QString& snapshotID);
  // Whether a sync could install the mod's version: from the download cache, the profile's own
  // archive of a mod from a file, or the catalogue (taken on trust while its index is unknown).
  bool obtainable(const Profile& profile, const std::string& key, const std::string& version) const;
  void loadHolds(const Profile& profile);
  // Saves the profile's holds and shows what they change; a failed save shows its error.
  void setHolds(const Profile& profile, HeldVersions holds);
  QCoro::Task<> installFileWork(std::string id, std::filesystem::path file);
  QCoro::Task<> dropWork(QUrl file);
  QCoro::Task<> shareWork(std::string id);
  void performImport(const ImportTarget& target, ProfileQueue::Job work);
  // The imported holds, with those named by a catalogue id found in the catalogue.
  HeldVersions holdsOf(const ProfileStore::ImportedProfile& imported) const;
  QCoro::Task<> importWork(QString code, ImportTarget target);
  QCoro::Task<> importArchive(std::string bytes, ImportTarget target, ImportSource source);
  // The profile an archive goes into: a new one, or the existing one without its mods' files.
  // `source` names the code or file in the log.
  QCoro::Task<Profile> importTarget(ImportTarget target, QString codeName, ImportSource source);
  QCoro::Task<> exportFileWork(std::string id, std::filesystem::path file);
  QCoro::Task<> importFileWork(std::filesystem::path file, ImportTarget target);
  QCoro::Task<> playWork(std::string id, std::filesystem::path gameDir);
  QCoro::Task<> clearCacheWork();

  void useChosenFolder(std::optional<std::filesystem::path> folder);
  void selectProfile(const QString& id, bool keepMessages);
  // Every change of profile after start-up passes here: unsaved settings make it wait for the
  // user's answer, and it never happens when the user stays. The tab, when given, changes with it.
  void switchProfile(const QString& id, std::optional<DetailTab> tab);
  // The name of the profile the busy operation works on, for the footer: empty when it is the selected one.
  QString busyOwner(const std::string& id) const;
  // Puts the changed profile in place of its entry and saves it; a failed save is only logged.
  void writeBack(const Profile& profile);
  void appendProfile(Profile profile);
  // Makes the profile "Default" when there is none; the caller tells the views.
  void ensureAProfile();
  // Appends the profile `make` returns and switches to it; shows its error instead when it throws.
  void addAndSelect(const std::function<Profile()>& make, std::optional<DetailTab> tab = std::nullopt);
  // Recomputes the values derived from profiles, selection, index and flags, and tells the views.
  void refreshDerived();
  // Whether Play can start: a selected profile, the game, no busy operation and no running game;
  // the menu's command also waits for what is missing (the footer's button installs it first).
  void refreshPlayable();

  std::shared_ptr<Workspace> workspace_;
  ProfileListModel* profiles_;
  ModListModel* mods_;
  ModListModel* dependencies_;
  ConfigEditor* config_;
  Activity* activity_;
  GameState* game_;
  CatalogueState* catalogue_;
  LaunchCheck* launchCheck_;  // after the parts it listens to
  WindowState* window_;
  ProfileQueue* queue_;  // before the parts that read through it
  ProfileHistory* history_;
  QThreadPool* downloadPool_;  // the archives a sync fetches ahead of its installs

  QString selectedID_;
  Settings settings_;
  std::unordered_map<std::string, HeldVersions> holds_;  // by profile id
  bool started_ = false;
  QTimer* timer_ = nullptr;
};
