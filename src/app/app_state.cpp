#include "app/app_state.hpp"

#include <QCoreApplication>
#include <QThreadPool>

#include "app/assign.hpp"
#include "app/background.hpp"
#include "app/describe.hpp"
#include "app/launch_check.hpp"
#include "catalogue/endpoints.hpp"
#include "foundation/app_version.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "foundation/paths.hpp"
#include "installer/installer.hpp"
#include "installer/plan.hpp"
#include "profiles/profile_store.hpp"

AppState::AppState(QObject* parent)
    : QObject(parent),
      workspace_(std::make_shared<Workspace>()),
      profiles_(new ProfileListModel([this](const Profile& p) { return updateCount(p); }, this)),
      browse_(new PackageListModel(this)),
      readmes_(new ReadmeCache(this)),
      mods_(new ModListModel(this)),
      dependencies_(new ModListModel(this)),
      config_(new ConfigEditor(this)),
      launchCheck_(new LaunchCheck(this)),
      downloadPool_(new QThreadPool(this)),
      gameDir_(Paths::defaultGameDir()),
      index_(std::make_shared<const std::vector<TSPackage>>()) {
  browse_->setIndex(index_);
  downloadPool_->setMaxThreadCount(8);  // more than parallelDownloads() ever asks for
  // The settings sheet follows the selected profile and the game; its failed saves show as errors.
  connect(this, &AppState::selectedIDChanged, config_, [this] {
    config_->setFolder(selected() ? selected()->bepinex() / "config" : std::filesystem::path());
  });
  connect(this, &AppState::gameRunningChanged, config_, [this] { config_->setGameRunning(gameRunning_); });
  connect(config_, &ConfigEditor::failed, this, &AppState::setErrorMessage);
  connect(launchCheck_, &LaunchCheck::shownChanged, this, &AppState::sheetShownChanged);
  // What the launch loaded takes the place of "Valheim is starting…", and follows the log while
  // the note still shows it.
  connect(launchCheck_, &LaunchCheck::summaryChanged, this, [this](const QString& before) {
    if (before.isEmpty() || note_ == before) setNote(launchCheck_->summary());
  });
}

// A cache write still running would outlive what it reads at exit; it takes a fraction of a second.
AppState::~AppState() { Thunderstore::waitForCacheWrites(); }

void AppState::setWorkspace(std::shared_ptr<Workspace> workspace) { workspace_ = std::move(workspace); }

// ---- Field setters: each tells the views only when the value changes.

void AppState::setSelectedID(const QString& id) { switchProfile(id, std::nullopt); }

void AppState::switchProfile(const QString& id, std::optional<DetailTab> tab) {
  // Asked for while an operation runs, the change keeps its messages however late the answer comes.
  auto go = [this, id, tab, keepMessages = !busy_.isEmpty()] {
    selectProfile(id, keepMessages);
    if (tab) setTab(*tab);
  };
  const Profile* to = current(ss(id));
  // No profile to go to: only a deletion empties the selection, and it closes the settings first.
  if (id == selectedID_ || !to) return go();
  config_->leave(ConfigEditor::Leaving::toProfile, qs(to->name), std::move(go));
}

void AppState::selectProfile(const QString& id, bool keepMessages) {
  if (!assign(this, selectedID_, id, &AppState::selectedIDChanged)) return;
  // While an operation runs, its messages survive a change of selection.
  if (!keepMessages && busy_.isEmpty()) {
    setNote({});
    setErrorMessage({});
  }
  settings_.activeProfile = optional(id);
  ProfileStore::saveSettings(settings_);
  refreshDerived();
}

void AppState::setNote(const QString& text) {
  removedTogether_.clear();
  if (assign(this, note_, text, &AppState::noteChanged)) emit derivedChanged();
}
void AppState::setErrorMessage(const QString& text) {
  assign(this, errorMessage_, text, &AppState::errorMessageChanged);
}
void AppState::setTab(DetailTab tab) { assign(this, tab_, tab, &AppState::tabChanged); }
void AppState::setShowLog(bool on) {
  if (sheetInTheWay(on, showLog_)) return;
  if (assign(this, showLog_, on, &AppState::showLogChanged)) emit sheetShownChanged();
}
void AppState::setShowConfig(bool on) {
  if (sheetInTheWay(on, showConfig_)) return;
  if (assign(this, showConfig_, on, &AppState::showConfigChanged)) emit sheetShownChanged();
}
void AppState::setShowImport(bool on) {
  if (sheetInTheWay(on, showImport_)) return;
  if (assign(this, showImport_, on, &AppState::showImportChanged)) emit sheetShownChanged();
}
void AppState::setImportFile(const QUrl& file) {
  assign(this, importFile_, file, &AppState::importFileChanged);
}
void AppState::setShowNewProfile(bool on) {
  if (sheetInTheWay(on, showNewProfile_)) return;
  if (assign(this, showNewProfile_, on, &AppState::showNewProfileChanged)) emit sheetShownChanged();
}

void AppState::setAppUpdate(const QVariant& update) {
  assign(this, appUpdate_, fromVariant<AppUpdateItem>(update), &AppState::appUpdateChanged);
}
void AppState::setSharedCode(const QVariant& code) {
  auto value = fromVariant<SharedCode>(code);
  if (sheetInTheWay(value.has_value(), sharedCode_.has_value())) return;
  if (assign(this, sharedCode_, std::move(value), &AppState::sharedCodeChanged)) emit sheetShownChanged();
}
void AppState::setRenaming(const QVariant& profile) {
  auto value = fromVariant<ProfileItem>(profile);
  if (sheetInTheWay(value.has_value(), renaming_.has_value())) return;
  if (assign(this, renaming_, std::move(value), &AppState::renamingChanged)) emit sheetShownChanged();
}
void AppState::setDetailPackage(const QVariant& package) {
  auto value = fromVariant<PackageItem>(package);
  if (sheetInTheWay(value.has_value(), detailPackage_.has_value())) return;
  if (assign(this, detailPackage_, std::move(value), &AppState::detailPackageChanged))
    emit sheetShownChanged();
}

bool AppState::sheetShown() const {
  return showNewProfile_ || renaming_ || showImport_ || sharedCode_ || showLog_ || showConfig_ ||
         detailPackage_ || launchCheck_->shown();
}

void AppState::closeSheets() {
  setShowNewProfile(false);
  setRenaming({});
  setShowImport(false);
  setSharedCode({});
  setShowLog(false);
  setShowConfig(false);
  setDetailPackage({});
  launchCheck_->setShown(false);
}

void AppState::setBusy(const QString& label) {
  if (!assign(this, busy_, label, &AppState::busyChanged)) return;
  setProgress(std::nullopt);
  emit derivedChanged();
}

void AppState::setBusyProfile(std::string id) {
  busyProfile_ = std::move(id);
  emit derivedChanged();
}

void AppState::setProgress(std::optional<double> progress) {
  assign(this, progress_, progress, &AppState::progressChanged);
}

void AppState::setGameRunning(bool running) {
  if (assign(this, gameRunning_, running, &AppState::gameRunningChanged)) emit derivedChanged();
}

void AppState::setIndexLoading(bool loading) {
  assign(this, indexLoading_, loading, &AppState::indexLoadingChanged);
}

void AppState::setIndexError(const QString& text) {
  assign(this, indexError_, text, &AppState::indexErrorChanged);
}

void AppState::setIndex(std::vector<TSPackage> packages) {
  auto index = std::make_shared<const std::vector<TSPackage>>(std::move(packages));
  std::unordered_map<std::string, size_t> byID;
  for (size_t i = 0; i < index->size(); ++i) byID.emplace((*index)[i].fullName, i);  // the first one wins
  index_ = std::move(index);
  indexByID_ = std::move(byID);
  browse_->setIndex(index_);
  emit indexChanged();
  profiles_->refreshCounts();
  refreshDerived();
}

// ---- Profiles in memory.

void AppState::writeBack(const Profile& profile) {
  if (profiles_->replace(profile)) emit profilesChanged();
  try {
    ProfileStore::save(profile);
  } catch (...) {
    Log::write("save failed: " + ss(describe(std::current_exception())));
  }
  refreshDerived();
}

void AppState::appendProfile(Profile profile) {
  profiles_->append(std::move(profile));
  emit profilesChanged();
  refreshDerived();
}

void AppState::ensureAProfile() {
  if (!profiles().empty()) return;
  try {
    profiles_->append(ProfileStore::createDefault());
  } catch (...) {
    // Without a profile the window asks the user to create one.
  }
}

void AppState::refreshDerived() {
  std::vector<ModListModel::Row> explicitRows, dependencyRows;
  std::unordered_map<std::string, bool> inProfile;
  if (const Profile* p = selected()) {
    // Who needs whom, by the stored manifests, each read once.
    std::unordered_map<std::string, std::vector<DependencyRef>> needsOf;
    for (const ProfileMod& m : p->mods) needsOf.try_emplace(m.id(), Installer::dependencies(m.id(), *p));
    const Plan::Needs needs = [&needsOf](const std::string& key) { return needsOf[key]; };
    for (const ProfileMod& m : p->mods) {
      const bool fromFile = Installer::installedFromFile(m.id(), *p);
      const TSPackage* pkg = fromFile ? nullptr : package(m.ns, m.name);
      ModListModel::Row row{m, status(m, *p), pkg ? std::optional(*pkg) : std::nullopt, fromFile, {}, {}};
      for (const ProfileMod& other : Plan::dependents(*p, m.id(), needs)) {
        row.neededBy.append(qs(other.displayName()));
        if (other.enabled) row.neededByEnabled.append(qs(other.displayName()));
      }
      (m.isExplicit ? explicitRows : dependencyRows).push_back(std::move(row));
      inProfile.emplace(m.id(), m.isExplicit);  // the first entry of a key decides
    }
  }
  mods_->setRows(std::move(explicitRows));
  dependencies_->setRows(std::move(dependencyRows));
  browse_->setProfileMods(std::move(inProfile));
  emit derivedChanged();
}

// ---- Lookups and derived values.

const Profile* AppState::current(const std::string& id) const {
  for (const Profile& p : profiles())
    if (p.id == id) return &p;
  return nullptr;
}

const Profile* AppState::selected() const {
  return selectedID_.isEmpty() ? nullptr : current(ss(selectedID_));
}

const TSPackage* AppState::package(const std::string& ns, const std::string& name) const {
  auto it = indexByID_.find(packageKey(ns, name));
  return it == indexByID_.end() ? nullptr : &(*index_)[it->second];
}

std::optional<std::string> AppState::latest(const std::string& ns, const std::string& name) const {
  const TSPackage* pkg = package(ns, name);
  return pkg ? std::optional(pkg->latest) : std::nullopt;
}

QVariant AppState::package(const QString& ns, const QString& name) const {
  const TSPackage* pkg = package(ss(ns), ss(name));
  return pkg ? QVariant::fromValue(PackageItem(*pkg)) : QVariant();
}

PackageListModel::ProfileState AppState::packageState(const QString& fullName) const {
  const Profile* p = selected();
  const ProfileMod* m = p ? p->find(ss(fullName)) : nullptr;
  return !m              ? PackageListModel::NotInProfile
         : m->isExplicit ? PackageListModel::InProfile
                         : PackageListModel::AsDependency;
}

QVariant AppState::profileMod(const QString& fullName) const {
  const Profile* p = selected();
  const ProfileMod* m = p ? p->find(ss(fullName)) : nullptr;
  return m ? QVariant::fromValue(ModItem(*m)) : QVariant();
}

bool AppState::canStartPlay() const { return selected() && gameFound_ && busy_.isEmpty() && !gameRunning_; }

// The menu's command also waits for what is missing; the footer's button installs it first.
bool AppState::canPlay() const { return canStartPlay() && needsInstall(*selected()) == 0; }

int AppState::selectedIndex() const {
  const auto& all = profiles();
  for (size_t i = 0; i < all.size(); ++i)
    if (qs(all[i].id) == selectedID_) return int(i);
  return -1;
}

QVariant AppState::selectedItem() const {
  const Profile* p = selected();
  return p ? QVariant::fromValue(ProfileItem(*p)) : QVariant();
}

int AppState::selectedNeedsInstall() const {
  const Profile* p = selected();
  return p ? needsInstall(*p) : 0;
}

int AppState::selectedUpdateCount() const {
  const Profile* p = selected();
  return p ? updateCount(*p) : 0;
}

int AppState::selectedPackStatus() const {
  const Profile* p = selected();
  return int(p ? packStatus(*p) : ModStatus::NotInstalled);
}

QVariant AppState::loaderPackage() const {
  const TSPackage* pkg = package(std::string(LoaderPack::ns), std::string(LoaderPack::name));
  return pkg ? QVariant::fromValue(PackageItem(*pkg)) : QVariant();
}

QString AppState::appVersion() { return QString::fromLatin1(App::version); }
QString AppState::website() { return qs(endpoints().website); }
QString AppState::logFile() { return qpath(Paths::logFile()); }

// ---- The busy wrapper.

void AppState::perform(QString label, std::function<QCoro::Task<>()> work, std::string profileID) {
  if (!busy_.isEmpty()) return;
  busyProfile_ = std::move(profileID);
  setBusy(label);
  setNote({});
  setErrorMessage({});
  runBusy(std::move(work));
}

QCoro::Task<> AppState::runBusy(std::function<QCoro::Task<>()> work) {
  std::optional<QString> failure;
  try {
    co_await work();
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
    failure = describe(std::current_exception());
  }
  if (failure) {
    Log::write("error: " + ss(*failure));
    setErrorMessage(*failure);
  }
  busyProfile_.clear();
  setBusy({});
}

std::function<void(const std::string&)> AppState::busyReporter() {
  QPointer<AppState> self(this);
  return [self](const std::string& text) {
    // Posted events run in the order they were posted, so the texts arrive in order and before
    // the awaiting task resumes.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self, label = qs(text)] {
          if (self) self->setBusy(label);
        },
        Qt::QueuedConnection);
  };
}

Http::Progress AppState::downloadReporter() {
  QPointer<AppState> self(this);
  // Only whole-percent changes are posted: curl reports every few kilobytes. One worker calls
  // this at a time, so the shared step needs no lock.
  auto posted = std::make_shared<int>(-2);
  return [self, posted](int64_t received, std::optional<int64_t> expected) {
    const int percent = expected ? int(std::clamp<int64_t>(received * 100 / *expected, 0, 100)) : -1;
    if (percent == *posted) return;
    *posted = percent;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self, percent] {
          if (self) self->setProgress(percent < 0 ? -1.0 : percent / 100.0);
        },
        Qt::QueuedConnection);
  };
}

// ---- Desktop services for the views.

void AppState::openURL(const QString& url) { workspace_->openURL(url); }
void AppState::reveal(const QString& path) { workspace_->reveal(ss(path)); }
void AppState::copyText(const QString& text) { workspace_->setClipboard(text); }
QString AppState::pasteText() { return workspace_->clipboard(); }
QString AppState::logTail() const { return qs(Log::tail()); }
