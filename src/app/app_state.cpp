#include "app/app_state.hpp"

#include <QFileSystemWatcher>
#include <QTimer>

#include "app/background.hpp"
#include "app/describe.hpp"
#include "app/launch_check.hpp"
#include "app/update_review.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "foundation/paths.hpp"
#include "installer/installer.hpp"
#include "installer/plan.hpp"
#include "profiles/profile_store.hpp"

AppState::AppState(QObject* parent)
    : QObject(parent),
      workspace_(std::make_shared<Workspace>()),
      config_(new ConfigEditor(this)),
      activity_(new Activity([this](const std::string& id) { return busyOwner(id); }, this)),
      game_(new GameState(
          Paths::defaultGameDir(),
          {.missingOfSelected =
               [this] { return selected() ? std::optional(selection_->needsInstall()) : std::nullopt; },
           .idle = [this] { return activity_->idle(); }},
          this)),
      catalogue_(new CatalogueState(this)),
      statuses_(new ModStatuses(catalogue_, this)),
      // The selected profile's badge comes from the refresh that follows each of its changes.
      book_(new ProfileBook(
          [this](const Profile& p) {
            return qs(p.id) == book_->selectedID() ? std::nullopt : std::optional(statuses_->updateCount(p));
          },
          this)),
      changes_(new ProfileChanges(book_, activity_, this)),
      sync_(new ProfileSync({book_, activity_, catalogue_, game_, statuses_}, this)),
      modController_(
          new ModController({book_, activity_, catalogue_, game_, statuses_, changes_, sync_}, this)),
      transfer_(
          new ProfileTransfer({.book = book_,
                               .activity = activity_,
                               .catalogue = catalogue_,
                               .statuses = statuses_,
                               .changes = changes_,
                               .sync = sync_,
                               .append = [this](Profile p) { appendProfile(std::move(p)); },
                               .show = [this](const QString& id) { switchProfile(id, DetailTab::Installed); },
                               .copy = [this](const QString& text) { workspace_->setClipboard(text); }},
                              this)),
      selection_(new SelectedProfile({book_, statuses_, catalogue_, changes_}, this)),
      modSelection_(new ModSelection({book_, activity_, changes_, statuses_, sync_, selection_}, this)),
      launchCheck_(new LaunchCheck(
          {.book = book_,
           .activity = activity_,
           .catalogue = catalogue_,
           .game = game_,
           .statuses = statuses_,
           .changes = changes_,
           .mods = modController_,
           .offQuestion = [this](const std::string& key) { return selection_->offQuestion(key); },
           .play =
               [this] {
                 game_->poll();
                 launcher_->play();
               },
           .workspace = [this]() -> Workspace& { return *workspace_; }},
          this)),
      launcher_(new Launcher(
          {.book = book_,
           .activity = activity_,
           .game = game_,
           .catalogue = catalogue_,
           .changes = changes_,
           .sync = sync_,
           .config = config_,
           .launchCheck = launchCheck_,
           .workspace = [this]() -> Workspace& { return *workspace_; },
           .gameRead = [this](const std::optional<GameBuild>& build) { selection_->setGameBuild(build); }},
          this)),
      window_(new WindowState(launchCheck_, this)),
      history_(new ProfileHistory(
          activity_, game_, changes_->queue(), [this] { return selected(); },
          [this] { return selection_->canChange(); },
          [this](const std::string& key, const std::string& version) {
            return selected() && statuses_->obtainable(*selected(), key, version);
          },
          this)),
      review_(new UpdateReview({.book = book_,
                                .statuses = statuses_,
                                .catalogue = catalogue_,
                                .changes = changes_,
                                .mods = modController_,
                                .window = window_},
                               this)) {
  filesWatcher_ = new QFileSystemWatcher(this);
  filesSettle_ = new QTimer(this);
  filesSettle_->setSingleShot(true);
  filesSettle_->setInterval(200);
  connect(filesWatcher_, &QFileSystemWatcher::directoryChanged, filesSettle_, qOverload<>(&QTimer::start));
  connect(filesSettle_, &QTimer::timeout, this, &AppState::filesChanged);
  connect(book_, &ProfileBook::selectedChanged, this, &AppState::watchSelectedFiles);
  connect(changes_, &ProfileChanges::settled, this, &AppState::watchSelectedFiles);
  connect(book_, &ProfileBook::listChanged, this, &AppState::profilesChanged);
  connect(book_, &ProfileBook::selectedChanged, this, &AppState::selectedIDChanged);
  connect(book_, &ProfileBook::written, selection_, &SelectedProfile::refresh);
  connect(statuses_, &ModStatuses::holdsChanged, this, [this] {
    book_->model()->refreshCounts();
    selection_->refresh();
  });
  // A finished operation's sheet takes the place of the one shown.
  connect(transfer_, &ProfileTransfer::codeCreated, window_, [this](const SharedCode& code) {
    window_->replace(WindowState::Sheet::Share, QVariant::fromValue(code));
  });
  connect(changes_, &ProfileChanges::settled, history_, &ProfileHistory::refresh);
  connect(modController_, &ModController::restored, config_, [this](const QString& id) {
    if (id == book_->selectedID()) config_->refresh();
  });
  // The settings sheet follows the selected profile and the game; its failed saves show as errors.
  connect(this, &AppState::selectedIDChanged, config_, [this] {
    config_->setFolder(selected() ? selected()->bepinex() / "config" : std::filesystem::path());
    // A save is a change of the profile like any other.
    config_->setSaveRunner(
        selected() ? [this, id = selected()->id](
                         std::filesystem::path file,
                         std::function<void()>
                             write) { return changes_->saveConfig(id, std::move(file), std::move(write)); }
                   : ConfigEditor::SaveRunner());
  });
  connect(game_, &GameState::runningChanged, config_, [this] { config_->setGameRunning(game_->running()); });
  connect(config_, &ConfigEditor::failed, activity_, &Activity::setErrorMessage);
  // What the launch loaded takes the place of "Valheim is starting…", and follows the log while
  // the note still shows it.
  // The history follows the selected profile; every change reads it again when it ends.
  connect(this, &AppState::selectedIDChanged, history_, &ProfileHistory::profileChanged);
  connect(window_, &WindowState::sheetChanged, history_,
          [this] { history_->setListed(window_->sheet() == WindowState::Sheet::History); });
  connect(launchCheck_, &LaunchCheck::summaryChanged, this, [this](const QString& before) {
    if (before.isEmpty() || activity_->note() == before) activity_->setNote(launchCheck_->summary());
  });
  // What the derived values and the footer's lines depend on.
  connect(game_, &GameState::runningChanged, selection_, &SelectedProfile::changed);
  connect(activity_, &Activity::idleChanged, selection_, &SelectedProfile::refreshCanChange);
  connect(changes_->queue(), &ProfileQueue::changingChanged, selection_, &SelectedProfile::refreshCanChange);
  connect(selection_, &SelectedProfile::changed, game_, &GameState::refreshPlayable);
  connect(game_, &GameState::foundChanged, selection_, &SelectedProfile::changed);
  // Rows tell of mods older than the game's last update, as its app manifest dates it.
  connect(game_, &GameState::folderChanged, selection_, [this] { selection_->readGame(game_->folder()); });
  connect(selection_, &SelectedProfile::changed, activity_, &Activity::retell);
  connect(catalogue_, &CatalogueState::indexChanged, this, [this] {
    book_->model()->refreshCounts();
    selection_->refresh();
  });
}

// A cache write still running would outlive what it reads at exit; it takes a fraction of a second.
AppState::~AppState() { Thunderstore::waitForCacheWrites(); }

void AppState::setWorkspace(std::shared_ptr<Workspace> workspace) { workspace_ = std::move(workspace); }

// ---- Field setters: each tells the views only when the value changes.

void AppState::setSelectedID(const QString& id) { switchProfile(id, std::nullopt); }

void AppState::switchProfile(const QString& id, std::optional<DetailTab> tab) {
  // Asked for while an operation runs, the change keeps its messages however late the answer comes.
  auto go = [this, id, tab, keepMessages = !activity_->idle()] {
    selectProfile(id, keepMessages);
    if (tab) window_->setTab(*tab);
  };
  const Profile* to = current(ss(id));
  // No profile to go to: only a deletion empties the selection, and it closes the settings first.
  if (id == selectedID() || !to) return go();
  config_->leave(ConfigEditor::Leaving::toProfile, qs(to->name), std::move(go));
}

void AppState::selectProfile(const QString& id, bool keepMessages) {
  if (!book_->select(id)) return;
  // While an operation runs, its messages survive a change of selection.
  if (!keepMessages && activity_->idle()) {
    activity_->setNote({});
    activity_->setErrorMessage({});
  }
  settings_.activeProfile = optional(id);
  ProfileStore::saveSettings(settings_);
  selection_->refresh();
}

// ---- Profiles in memory.

void AppState::appendProfile(Profile profile) {
  statuses_->loadHolds(profile);  // a duplicate's are its original's
  book_->append(std::move(profile));
  selection_->refresh();
}

void AppState::ensureAProfile() {
  if (!profiles().empty()) return;
  try {
    book_->append(ProfileStore::createDefault());
  } catch (...) {
    // Without a profile the window asks the user to create one.
  }
}

void AppState::refresh() {
  book_->model()->refreshCounts();
  selection_->refresh();
  watchSelectedFiles();  // a folder made or removed since drops off the watch or is new
}

// Our own changes move these folders in bursts and look at the profile again when they are written,
// so only what another program did needs a look here, and only at the selected profile.
void AppState::filesChanged() {
  const Profile* p = selected();
  if (!p || changes_->queue()->changing(p->id)) return;
  selection_->refresh();
  watchSelectedFiles();  // a folder made or removed since drops off the watch or is new
}

void AppState::watchSelectedFiles() {
  if (!filesWatcher_->directories().isEmpty()) filesWatcher_->removePaths(filesWatcher_->directories());
  const Profile* p = selected();
  if (!p) return;
  for (const auto& dir : {p->bepinex(), p->bepinex() / "plugins", p->bepinex() / "core"})
    if (FS::isDirectory(dir)) filesWatcher_->addPath(qs(dir.string()));
}

// ---- Lookups and derived values.

const Profile* AppState::current(const std::string& id) const { return book_->find(id); }

const Profile* AppState::selected() const { return book_->selected(); }

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

QString AppState::busyOwner(const std::string& id) const {
  const Profile* owner = book_->isSelected(id) ? nullptr : current(id);
  return owner ? qs(owner->name) : QString();
}

// ---- Desktop services for the views.

// ---- The window's own commands.

void AppState::closeConfig() {
  config_->leave(ConfigEditor::Leaving::toClose, {}, [this] { window_->close(WindowState::Sheet::Config); });
}

// A mod archive is installed; anything else is offered as a profile file.
void AppState::openDroppedFile(const QUrl& file) {
  activity_->perform(tr("Opening %1…").arg(file.fileName()), [this, file] { return dropWork(file); });
}

QCoro::Task<> AppState::dropWork(QUrl file) {
  // A mod archive has its manifest at the top; a profile file never has one there.
  const std::filesystem::path path = ss(file.toLocalFile());
  auto peek = background(this, [path] { return FS::zipHasEntry(path, "manifest.json"); });
  if (!co_await peek) {
    window_->replace(WindowState::Sheet::Import, file);
    co_return;
  }
  auto installing = modController_->installDroppedFile(ss(selectedID()), path);
  co_await installing;
}

void AppState::openURL(const QString& url) { workspace_->openURL(url); }
void AppState::reveal(const QString& path) { workspace_->reveal(ss(path)); }
void AppState::copyText(const QString& text) { workspace_->setClipboard(text); }
QString AppState::pasteText() { return workspace_->clipboard(); }
QString AppState::logTail() const { return qs(Log::tail()); }
