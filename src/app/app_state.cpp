#include "app/app_state.hpp"

#include <QCoreApplication>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>

#include "app/background.hpp"
#include "app/describe.hpp"
#include "catalogue/endpoints.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/app_version.hpp"
#include "foundation/fs.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "installer/installer.hpp"
#include "profiles/profile_store.hpp"

AppState::AppState(QObject* parent)
    : QObject(parent),
      workspace_(std::make_shared<Workspace>()),
      profiles_(new ProfileListModel([this](const Profile& p) { return updateCount(p); }, this)),
      browse_(new PackageListModel(this)),
      readmes_(new ReadmeCache(this)),
      mods_(new ModListModel(this)),
      dependencies_(new ModListModel(this)),
      downloadPool_(new QThreadPool(this)),
      gameDir_(Paths::defaultGameDir()),
      index_(std::make_shared<const std::vector<TSPackage>>()) {
  browse_->setIndex(index_);
  downloadPool_->setMaxThreadCount(8);  // more than parallelDownloads() ever asks for
}

AppState::~AppState() = default;

void AppState::setWorkspace(std::shared_ptr<Workspace> workspace) { workspace_ = std::move(workspace); }

// ---- Field setters: each tells the views only when the value changes.

namespace {
template <typename T, typename Signal>
bool assign(AppState* state, T& field, T value, Signal changed) {
  if (field == value) return false;
  field = std::move(value);
  emit(state->*changed)();
  return true;
}
}  // namespace

void AppState::setSelectedID(const QString& id) { selectProfile(id, false); }

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

void AppState::setNote(const QString& text) { assign(this, note_, text, &AppState::noteChanged); }
void AppState::setErrorMessage(const QString& text) { assign(this, errorMessage_, text, &AppState::errorMessageChanged); }
void AppState::setTab(DetailTab tab) { assign(this, tab_, tab, &AppState::tabChanged); }
void AppState::setShowLog(bool on) { assign(this, showLog_, on, &AppState::showLogChanged); }
void AppState::setShowImport(bool on) { assign(this, showImport_, on, &AppState::showImportChanged); }
void AppState::setImportFile(const QUrl& file) { assign(this, importFile_, file, &AppState::importFileChanged); }
void AppState::setShowNewProfile(bool on) { assign(this, showNewProfile_, on, &AppState::showNewProfileChanged); }

void AppState::setAppUpdate(const QVariant& update) {
  assign(this, appUpdate_, fromVariant<AppUpdateItem>(update), &AppState::appUpdateChanged);
}
void AppState::setSharedCode(const QVariant& code) {
  assign(this, sharedCode_, fromVariant<SharedCode>(code), &AppState::sharedCodeChanged);
}
void AppState::setRenaming(const QVariant& profile) {
  assign(this, renaming_, fromVariant<ProfileItem>(profile), &AppState::renamingChanged);
}
void AppState::setDetailPackage(const QVariant& package) {
  assign(this, detailPackage_, fromVariant<PackageItem>(package), &AppState::detailPackageChanged);
}

std::optional<AppUpdate> AppState::appUpdateValue() const {
  return appUpdate_ ? std::optional(appUpdate_->update) : std::nullopt;
}

void AppState::setBusy(const QString& label) {
  if (!assign(this, busy_, label, &AppState::busyChanged)) return;
  setProgress(std::nullopt);
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

void AppState::setIndexError(const QString& text) { assign(this, indexError_, text, &AppState::indexErrorChanged); }

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

void AppState::refreshDerived() {
  std::vector<ModListModel::Row> explicitRows, dependencyRows;
  std::unordered_map<std::string, bool> inProfile;
  if (const Profile* p = selected()) {
    for (const ProfileMod& m : p->mods) {
      const TSPackage* pkg = package(m.ns, m.name);
      ModListModel::Row row{m, status(m, *p), pkg ? std::optional(*pkg) : std::nullopt};
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

const Profile* AppState::selected() const { return selectedID_.isEmpty() ? nullptr : current(ss(selectedID_)); }

const TSPackage* AppState::package(const std::string& ns, const std::string& name) const {
  auto it = indexByID_.find(ns + "-" + name);
  return it == indexByID_.end() ? nullptr : &(*index_)[it->second];
}

std::optional<std::string> AppState::latest(const std::string& ns, const std::string& name) const {
  const TSPackage* pkg = package(ns, name);
  return pkg ? std::optional(pkg->latest) : std::nullopt;
}

bool AppState::isInProfile(const TSPackage& pkg) const {
  const Profile* p = selected();
  return p && std::any_of(p->mods.begin(), p->mods.end(), [&](const ProfileMod& m) { return m.id() == pkg.fullName; });
}

QVariant AppState::package(const QString& ns, const QString& name) const {
  const TSPackage* pkg = package(ss(ns), ss(name));
  return pkg ? QVariant::fromValue(PackageItem(*pkg)) : QVariant();
}

namespace {
const ProfileMod* firstMod(const Profile* p, const std::string& key) {
  if (!p) return nullptr;
  auto it = std::find_if(p->mods.begin(), p->mods.end(), [&](const ProfileMod& m) { return m.id() == key; });
  return it == p->mods.end() ? nullptr : &*it;
}
}  // namespace

PackageListModel::ProfileState AppState::packageState(const QString& fullName) const {
  const ProfileMod* m = firstMod(selected(), ss(fullName));
  return !m ? PackageListModel::notInProfile : m->isExplicit ? PackageListModel::inProfile : PackageListModel::asDependency;
}

QVariant AppState::profileMod(const QString& fullName) const {
  const ProfileMod* m = firstMod(selected(), ss(fullName));
  return m ? QVariant::fromValue(ModItem(*m)) : QVariant();
}

bool AppState::canPlay() const {
  const Profile* p = selected();
  return p && gameFound_ && busy_.isEmpty() && !gameRunning_ && needsInstall(*p) == 0;
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
  return int(p ? packStatus(*p) : ModStatus::notInstalled);
}

QVariant AppState::loaderPackage() const {
  const TSPackage* pkg = package(std::string(LoaderPack::ns), std::string(LoaderPack::name));
  return pkg ? QVariant::fromValue(PackageItem(*pkg)) : QVariant();
}

QString AppState::appVersion() { return QString::fromLatin1(App::version); }
QString AppState::website() { return qs(endpoints().website); }
QString AppState::logFile() { return qpath(Paths::logFile()); }

// ---- Start-up.

void AppState::start() {
  if (started_) return;
  started_ = true;
  startUp();
}

QCoro::Task<> AppState::startUp() {
  settings_ = ProfileStore::loadSettings();
  if (settings_.gameDir && FS::isDirectory(std::filesystem::path(*settings_.gameDir) / "valheim.app"))
    assign(this, gameDir_, std::filesystem::path(*settings_.gameDir), &AppState::gameDirChanged);
  checkGame();
  try {
    FS::mkdir(Paths::profiles());
  } catch (...) {
    // Loading and creating profiles below report what matters.
  }

  if (gameFound_) {
    try {
      auto job = background(this, [dir = gameDir_] { return Installer::migrateLegacyInstall(dir); });
      auto migrated = co_await job;
      if (migrated) {
        setNote(QStringLiteral("Your existing mods were moved into the “Default” profile."));
        settings_.activeProfile = migrated->id;
      }
    } catch (const Abandoned&) {
      co_return;
    } catch (...) {
      QString why = describe(std::current_exception());
      Log::write("migration failed: " + ss(why));
      setErrorMessage(QStringLiteral("Couldn’t move your existing mods into a profile: ") + why);
    }
  }

  std::vector<Profile> all = ProfileStore::loadAll();
  if (all.empty()) {
    try {
      all.push_back(ProfileStore::create("Default"));
    } catch (...) {
      // Without a profile the window asks the user to create one.
    }
  }
  profiles_->reset(std::move(all));
  emit profilesChanged();

  QString first;
  for (const Profile& p : profiles())
    if (p.id == settings_.activeProfile) first = qs(p.id);
  if (first.isEmpty() && !profiles().empty()) first = qs(profiles().front().id);
  selectProfile(first, /*keepMessages=*/true);  // the migration's messages stay visible
  refreshDerived();

  loadIndex(false);
  checkForAppUpdate();
  timer_ = new QTimer(this);  // a child: it dies with the state and never outlives it
  timer_->setInterval(5000);
  connect(timer_, &QTimer::timeout, this, &AppState::pollGame);
  timer_->start();
  pollGame();
  emit startFinished();
}

void AppState::checkGame() {
  assign(this, gameFound_, FS::isDirectory(gameDir_ / "valheim.app"), &AppState::gameFoundChanged);

  // One folder per Steam account; an account whose launch options mention the loader's script counts.
  bool found = false;
  std::error_code ec;
  const auto userdata = Paths::steamDir() / "userdata";
  for (auto it = std::filesystem::directory_iterator(userdata, ec); !ec && !found && it != std::filesystem::directory_iterator();
       it.increment(ec)) {
    try {
      found = FS::readFile(it->path() / "config" / "localconfig.vdf").find("run_bepinex") != std::string::npos;
    } catch (...) {
      // A missing or unreadable file does not mention it.
    }
  }
  assign(this, steamLaunchOptionSet_, found, &AppState::steamLaunchOptionSetChanged);
  emit derivedChanged();
}

void AppState::chooseGameFolder() {
  QPointer<AppState> self(this);
  workspace_->chooseFolder(
      QStringLiteral("Select your Valheim folder (the one containing valheim.app). In Steam: right-click Valheim › "
                     "Manage › Browse local files."),
      QStringLiteral("Use This Folder"), [self](std::optional<std::filesystem::path> folder) {
        if (self) self->useChosenFolder(std::move(folder));
      });
}

void AppState::useChosenFolder(std::optional<std::filesystem::path> folder) {
  if (!folder || folder->empty()) return;
  if (!FS::isDirectory(*folder / "valheim.app")) {
    setErrorMessage(QStringLiteral("That folder doesn’t contain valheim.app."));
    return;
  }
  assign(this, gameDir_, *folder, &AppState::gameDirChanged);
  settings_.gameDir = folder->string();
  ProfileStore::saveSettings(settings_);
  setErrorMessage({});
  checkGame();
  migrateChosenFolder();
}

QCoro::Task<> AppState::migrateChosenFolder() {
  std::optional<Profile> migrated;
  try {
    auto job = background(this, [dir = gameDir_] { return Installer::migrateLegacyInstall(dir); });
    migrated = co_await job;
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
    co_return;  // counts as nothing moved
  }
  if (!migrated) co_return;
  QString id = qs(migrated->id);
  appendProfile(std::move(*migrated));
  setSelectedID(id);
}

// ---- The catalogue index, the update notice and the running-game poll.

void AppState::loadIndex(bool refresh) {
  if (indexLoading_) return;
  setIndexLoading(true);
  setIndexError({});
  loadIndexTask(refresh);
}

QCoro::Task<> AppState::loadIndexTask(bool refresh) {
  try {
    auto job = background(this, [refresh] { return Thunderstore::loadIndex(refresh); });
    auto packages = co_await job;
    size_t count = packages.size();
    setIndex(std::move(packages));
    Log::write("index loaded: " + std::to_string(count) + " packages");
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
    setIndexError(describe(std::current_exception()));  // the previous index stays
  }
  setIndexLoading(false);
}

void AppState::checkForAppUpdate() { updateNoticeTask(); }

QCoro::Task<> AppState::updateNoticeTask() {
  try {
    auto job = background(this, [] { return Thunderstore::fetchUpdateNotice(App::version); });
    auto notice = co_await job;
    // The client applies the newer-version rule and logs the notice.
    if (!notice) co_return;
    setAppUpdate(QVariant::fromValue(AppUpdateItem{*notice}));
  } catch (...) {
    // Silent by design: the banner simply does not appear.
  }
}

void AppState::pollGame() { pollTask(); }

QCoro::Task<> AppState::pollTask() {
  try {
    auto job = background(this, [] { return Installer::gameRunning(); });
    bool running = co_await job;
    setGameRunning(running);
  } catch (...) {
    // Only Abandoned can arrive here: gameRunning never throws.
  }
}

// ---- The busy wrapper.

void AppState::perform(QString label, std::function<QCoro::Task<>()> work) {
  if (!busy_.isEmpty()) return;
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
  setBusy({});
}

std::function<void(const std::string&)> AppState::busyReporter() {
  QPointer<AppState> self(this);
  return [self](const std::string& text) {
    // Posted events run in the order they were posted, so the texts arrive in order and before
    // the awaiting task resumes.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [self, label = qs(text)] { if (self) self->setBusy(label); },
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
        [self, percent] { if (self) self->setProgress(percent < 0 ? -1.0 : percent / 100.0); },
        Qt::QueuedConnection);
  };
}

// ---- Desktop services for the views.

void AppState::openURL(const QString& url) { workspace_->openURL(url); }
void AppState::reveal(const QString& path) { workspace_->reveal(ss(path)); }
void AppState::copyText(const QString& text) { workspace_->setClipboard(text); }
QString AppState::pasteText() { return workspace_->clipboard(); }
QString AppState::logTail() const { return qs(Log::tail()); }
