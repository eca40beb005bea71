#pragma once

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/config_editor.hpp"
#include "app/launch_check.hpp"
#include "app/mod_list_model.hpp"
#include "app/package_list_model.hpp"
#include "app/profile_list_model.hpp"
#include "app/readme_cache.hpp"
#include "app/values.hpp"
#include "app/workspace.hpp"

class ArchivePrefetch;
class QThreadPool;

class QTimer;

// The one controller of the application and the state every view observes. It lives on the main
// thread; long work runs on workers and only main-thread code applies the results.
//
// In QML, optional texts (selectedID, busy, note, errorMessage, indexError) are empty strings when
// absent; optional records (appUpdate, sharedCode, renaming, detailPackage, selected) are null.
class AppState : public QObject {
  Q_OBJECT
  Q_PROPERTY(ProfileListModel* profiles READ profilesModel NOTIFY profilesChanged)
  Q_PROPERTY(QString selectedID READ selectedID WRITE setSelectedID NOTIFY selectedIDChanged)
  Q_PROPERTY(QString gameDir READ gameDirText NOTIFY gameDirChanged)
  Q_PROPERTY(bool gameFound READ gameFound NOTIFY gameFoundChanged)
  Q_PROPERTY(bool gameRunning READ gameRunning NOTIFY gameRunningChanged)
  Q_PROPERTY(bool steamLaunchOptionSet READ steamLaunchOptionSet NOTIFY steamLaunchOptionSetChanged)
  // The catalogue index as the browse pane shows it (filtered, sorted, paged).
  Q_PROPERTY(PackageListModel* index READ indexModel NOTIFY indexChanged)
  Q_PROPERTY(bool indexLoading READ indexLoading NOTIFY indexLoadingChanged)
  Q_PROPERTY(QString indexError READ indexError NOTIFY indexErrorChanged)
  Q_PROPERTY(QString busy READ busy NOTIFY busyChanged)
  Q_PROPERTY(bool idle READ idle NOTIFY busyChanged)  // no operation runs: what changes profiles is on
  // The download of the current busy step, for a progress bar next to `busy`: `progress` is the
  // fraction received, or -1 while the server has not said how much is coming.
  Q_PROPERTY(bool downloading READ downloading NOTIFY progressChanged)
  Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
  Q_PROPERTY(QString note READ note WRITE setNote NOTIFY noteChanged)
  Q_PROPERTY(QString errorMessage READ errorMessage WRITE setErrorMessage NOTIFY errorMessageChanged)
  Q_PROPERTY(AppEnums::DetailTab tab READ tab WRITE setTab NOTIFY tabChanged)
  Q_PROPERTY(QVariant appUpdate READ appUpdate WRITE setAppUpdate NOTIFY appUpdateChanged)
  Q_PROPERTY(QVariant sharedCode READ sharedCode WRITE setSharedCode NOTIFY sharedCodeChanged)
  Q_PROPERTY(bool showLog READ showLog WRITE setShowLog NOTIFY showLogChanged)
  Q_PROPERTY(bool showConfig READ showConfig WRITE setShowConfig NOTIFY showConfigChanged)
  Q_PROPERTY(bool showImport READ showImport WRITE setShowImport NOTIFY showImportChanged)
  // A profile file the import sheet imports instead of a code (chosen or dropped); empty for a code.
  Q_PROPERTY(QUrl importFile READ importFile WRITE setImportFile NOTIFY importFileChanged)
  Q_PROPERTY(bool showNewProfile READ showNewProfile WRITE setShowNewProfile NOTIFY showNewProfileChanged)
  Q_PROPERTY(QVariant renaming READ renaming WRITE setRenaming NOTIFY renamingChanged)
  Q_PROPERTY(QVariant detailPackage READ detailPackage WRITE setDetailPackage NOTIFY detailPackageChanged)
  // One sheet at a time: while one of the sheet fields above is set, setting another does nothing,
  // and the commands that open a sheet are off.
  Q_PROPERTY(bool sheetShown READ sheetShown NOTIFY sheetShownChanged)

  // Derived values, recomputed whenever what they depend on changes.
  Q_PROPERTY(QVariant selected READ selectedItem NOTIFY derivedChanged)
  Q_PROPERTY(bool canPlay READ canPlay NOTIFY derivedChanged)
  // Play can start now (what is missing installs first): the footer's button, and canPlay's base.
  Q_PROPERTY(bool canStartPlay READ canStartPlay NOTIFY derivedChanged)
  Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY derivedChanged)  // -1 when none
  Q_PROPERTY(bool canDeleteProfile READ canDeleteProfile NOTIFY derivedChanged)
  // What the footer says for `busy` and `note`: `busy` naming the profile it works on when that is
  // not the selected one; the note of a removal naming the dependencies that went with it.
  Q_PROPERTY(QString busyLine READ busyLine NOTIFY derivedChanged)
  Q_PROPERTY(QString noteLine READ noteLine NOTIFY derivedChanged)
  Q_PROPERTY(int needsInstallCount READ selectedNeedsInstall NOTIFY derivedChanged)
  Q_PROPERTY(int updateCountSelected READ selectedUpdateCount NOTIFY derivedChanged)
  Q_PROPERTY(int packStatusSelected READ selectedPackStatus NOTIFY derivedChanged)
  Q_PROPERTY(QVariant loaderPackage READ loaderPackage NOTIFY derivedChanged)  // the pack's catalogue entry
  Q_PROPERTY(ModListModel* mods READ modsModel CONSTANT)  // explicit mods
  Q_PROPERTY(ModListModel* dependencies READ dependenciesModel CONSTANT)  // automatic ones
  Q_PROPERTY(ReadmeCache* readmes READ readmes CONSTANT)  // for the package sheet
  Q_PROPERTY(ConfigEditor* config READ configEditor CONSTANT)  // the selected profile's settings
  Q_PROPERTY(LaunchCheck* launchCheck READ launchCheck CONSTANT)  // what the last Play Modded loaded
  Q_PROPERTY(QString appVersion READ appVersion CONSTANT)
  Q_PROPERTY(QString website READ website CONSTANT)
  Q_PROPERTY(QString logFile READ logFile CONSTANT)

 public:
  explicit AppState(QObject* parent = nullptr);
  ~AppState() override;

  // The desktop services; tests and the window replace them.
  void setWorkspace(std::shared_ptr<Workspace> workspace);
  Workspace& workspace() { return *workspace_; }

  // ---- Fields, for C++ callers.
  const std::vector<Profile>& profiles() const { return profiles_->items(); }
  const std::vector<TSPackage>& index() const { return *index_; }
  const Settings& settings() const { return settings_; }
  const std::filesystem::path& gameDirPath() const { return gameDir_; }
  std::optional<SharedCode> sharedCodeValue() const { return sharedCode_; }

  QString selectedID() const { return selectedID_; }
  void setSelectedID(const QString& id);
  QString gameDirText() const { return qpath(gameDir_); }
  bool gameFound() const { return gameFound_; }
  bool gameRunning() const { return gameRunning_; }
  bool steamLaunchOptionSet() const { return steamLaunchOptionSet_; }
  bool indexLoading() const { return indexLoading_; }
  QString indexError() const { return indexError_; }
  QString busy() const { return busy_; }
  bool idle() const { return busy_.isEmpty(); }
  bool downloading() const { return progress_.has_value(); }
  double progress() const { return progress_.value_or(0.0); }
  QString note() const { return note_; }
  void setNote(const QString& text);
  QString errorMessage() const { return errorMessage_; }
  void setErrorMessage(const QString& text);
  DetailTab tab() const { return tab_; }
  void setTab(DetailTab tab);
  QVariant appUpdate() const { return toVariant(appUpdate_); }
  void setAppUpdate(const QVariant& update);
  QVariant sharedCode() const { return toVariant(sharedCode_); }
  void setSharedCode(const QVariant& code);
  bool showLog() const { return showLog_; }
  void setShowLog(bool on);
  bool showConfig() const { return showConfig_; }
  void setShowConfig(bool on);
  bool showImport() const { return showImport_; }
  void setShowImport(bool on);
  QUrl importFile() const { return importFile_; }
  void setImportFile(const QUrl& file);
  bool showNewProfile() const { return showNewProfile_; }
  void setShowNewProfile(bool on);
  QVariant renaming() const { return toVariant(renaming_); }
  void setRenaming(const QVariant& profile);
  QVariant detailPackage() const { return toVariant(detailPackage_); }
  void setDetailPackage(const QVariant& package);
  bool sheetShown() const;

  ProfileListModel* profilesModel() const { return profiles_; }
  PackageListModel* indexModel() const { return browse_; }
  ReadmeCache* readmes() const { return readmes_; }
  ModListModel* modsModel() const { return mods_; }
  ModListModel* dependenciesModel() const { return dependencies_; }
  ConfigEditor* configEditor() const { return config_; }
  LaunchCheck* launchCheck() const { return launchCheck_; }

  // ---- Derived values and lookups.
  const Profile* selected() const;
  const Profile* current(const std::string& id) const;
  const TSPackage* package(const std::string& ns, const std::string& name) const;
  std::optional<std::string> latest(const std::string& ns, const std::string& name) const;
  bool canPlay() const;
  bool canStartPlay() const;
  int selectedIndex() const;
  bool canDeleteProfile() const { return busy_.isEmpty(); }
  QString busyLine() const;
  QString noteLine() const;
  QVariant selectedItem() const;
  int selectedNeedsInstall() const;
  int selectedUpdateCount() const;
  int selectedPackStatus() const;
  QVariant loaderPackage() const;
  static QString appVersion();
  static QString website();
  static QString logFile();

  // The catalogue entry, or null.
  Q_INVOKABLE QVariant package(const QString& ns, const QString& name) const;
  // The package's place in the selected profile (the first mod with its key decides).
  Q_INVOKABLE PackageListModel::ProfileState packageState(const QString& fullName) const;
  // That first mod of the selected profile with the package's key, or null.
  Q_INVOKABLE QVariant profileMod(const QString& fullName) const;

  // ---- Start-up and the game folder.
  Q_INVOKABLE void start();
  Q_INVOKABLE void checkGame();
  Q_INVOKABLE void chooseGameFolder();
  Q_INVOKABLE void loadIndex(bool refresh);
  void checkForAppUpdate();
  void pollGame();
  // Runs `work` as the one busy operation under `label`; dropped while another one runs. The
  // operation belongs to the profile with `profileID`, when it works on one.
  void perform(QString label, std::function<QCoro::Task<>()> work, std::string profileID = {});

  // ---- Mod status.
  ModStatus status(const ProfileMod& mod, const Profile& profile) const;
  // The catalogue's entry for a mod of the profile; null for a mod installed from a file.
  const TSPackage* catalogued(const std::string& ns, const std::string& name, const Profile& profile) const;
  ModStatus packStatus(const Profile& profile) const;
  int needsInstall(const Profile& profile) const;
  int updateCount(const Profile& profile) const;

  // ---- Mod and profile operations.
  Q_INVOKABLE void add(const PackageItem& package);
  Q_INVOKABLE void remove(const ModItem& mod);
  Q_INVOKABLE void setEnabled(const ModItem& mod, bool on);
  Q_INVOKABLE void update(const ModItem& mod);
  Q_INVOKABLE void updateAll();
  Q_INVOKABLE void installMissing();
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
  void gameDirChanged();
  void gameFoundChanged();
  void gameRunningChanged();
  void steamLaunchOptionSetChanged();
  void indexChanged();
  void indexLoadingChanged();
  void indexErrorChanged();
  void busyChanged();
  void progressChanged();
  void noteChanged();
  void errorMessageChanged();
  void tabChanged();
  void appUpdateChanged();
  void sharedCodeChanged();
  void showLogChanged();
  void showConfigChanged();
  void showImportChanged();
  void importFileChanged();
  void showNewProfileChanged();
  void renamingChanged();
  void detailPackageChanged();
  void sheetShownChanged();
  void derivedChanged();
  // start() has run to its end (the index and the update notice may still be loading).
  void startFinished();

 private:
  // Settings, the game folder, a migration of a hand-made install, the profiles, then the loads.
  QCoro::Task<> startUp();
  QCoro::Task<bool> migrateAtStart();  // false when the state died meanwhile
  void loadProfiles();
  void startPolling();
  QCoro::Task<> runBusy(std::function<QCoro::Task<>()> work);
  QCoro::Task<> loadIndexTask(bool refresh);
  QCoro::Task<> updateNoticeTask();
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
  QCoro::Task<> addWork(std::string id, QString name);
  QCoro::Task<> updateWork(std::string id, QString name, QString version);
  QCoro::Task<> syncWork(std::string id, QString note);
  QCoro::Task<> installFileWork(std::string id, std::filesystem::path file);
  QCoro::Task<> dropWork(QUrl file);
  QCoro::Task<> shareWork(std::string id);
  QCoro::Task<> importWork(QString code, ImportTarget target);
  QCoro::Task<> importArchive(std::string bytes, ImportTarget target, ImportSource source);
  // The profile an archive goes into: a new one, or the existing one without its mods' files.
  // `source` names the code or file in the log.
  QCoro::Task<Profile> importTarget(ImportTarget target, QString codeName, QString source);
  QCoro::Task<> exportFileWork(std::string id, std::filesystem::path file);
  QCoro::Task<> importFileWork(std::filesystem::path file, ImportTarget target);
  QCoro::Task<> playWork(std::string id, std::filesystem::path gameDir);
  QCoro::Task<> clearCacheWork();

  void useChosenFolder(std::optional<std::filesystem::path> folder);
  void selectProfile(const QString& id, bool keepMessages);
  // Every change of profile after start-up passes here: unsaved settings make it wait for the
  // user's answer, and it never happens when the user stays. The tab, when given, changes with it.
  void switchProfile(const QString& id, std::optional<DetailTab> tab);
  // Opening a sheet that is not shown yet waits for no one: it is refused while another is shown.
  bool sheetInTheWay(bool opening, bool shownAlready) const {
    return opening && !shownAlready && sheetShown();
  }
  // A finished operation's sheet (a new code, a dropped profile file) takes the place of the one shown.
  void closeSheets();
  void setBusy(const QString& label);
  void setBusyProfile(std::string id);
  void setGameRunning(bool running);
  void setIndexLoading(bool loading);
  void setIndexError(const QString& text);
  void setIndex(std::vector<TSPackage> packages);
  // Puts the changed profile in place of its entry and saves it; a failed save is only logged.
  void writeBack(const Profile& profile);
  void appendProfile(Profile profile);
  // Makes the profile "Default" when there is none; the caller tells the views.
  void ensureAProfile();
  // Appends the profile `make` returns and switches to it; shows its error instead when it throws.
  void addAndSelect(const std::function<Profile()>& make, std::optional<DetailTab> tab = std::nullopt);
  // Recomputes the values derived from profiles, selection, index and flags, and tells the views.
  void refreshDerived();
  // Forwards texts from a worker thread to `busy`, in order, on the main thread.
  std::function<void(const std::string&)> busyReporter();
  // Forwards a worker's download progress to `progress`; a new busy step clears it.
  Http::Progress downloadReporter();
  void setProgress(std::optional<double> progress);

  std::shared_ptr<Workspace> workspace_;
  ProfileListModel* profiles_;
  PackageListModel* browse_;
  ReadmeCache* readmes_;
  ModListModel* mods_;
  ModListModel* dependencies_;
  ConfigEditor* config_;
  LaunchCheck* launchCheck_;
  QThreadPool* downloadPool_;  // the archives a sync fetches ahead of its installs

  QString selectedID_;
  std::filesystem::path gameDir_;
  bool gameFound_ = false;
  bool gameRunning_ = false;
  bool steamLaunchOptionSet_ = false;
  std::shared_ptr<const std::vector<TSPackage>> index_;
  std::unordered_map<std::string, size_t> indexByID_;
  bool indexLoading_ = false;
  QString indexError_;
  QString busy_;
  std::string busyProfile_;  // the id of the profile the busy operation works on, or empty
  QStringList removedTogether_;  // the mods the note's removal took, when dependencies went too
  std::optional<double> progress_;
  QString note_;
  QString errorMessage_;
  DetailTab tab_ = DetailTab::Installed;
  std::optional<AppUpdateItem> appUpdate_;
  std::optional<SharedCode> sharedCode_;
  bool showLog_ = false;
  bool showConfig_ = false;
  bool showImport_ = false;
  QUrl importFile_;
  bool showNewProfile_ = false;
  std::optional<ProfileItem> renaming_;
  std::optional<PackageItem> detailPackage_;
  Settings settings_;
  bool started_ = false;
  QTimer* timer_ = nullptr;
};
