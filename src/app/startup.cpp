// Start-up, the game folder, and the running-game poll.
#include <QTimer>

#include "app/app_state.hpp"
#include "app/background.hpp"
#include "app/describe.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "installer/installer.hpp"
#include "profiles/profile_store.hpp"

// ---- Start-up.

void AppState::start() {
  if (started_) return;
  started_ = true;
  startUp();
}

QCoro::Task<> AppState::startUp() {
  settings_ = ProfileStore::loadSettings();
  if (settings_.gameDir && Installer::isGameFolder(*settings_.gameDir)) game_->setFolder(*settings_.gameDir);
  checkGame();
  try {
    FS::mkdir(Paths::profiles());
  } catch (...) {
    // Loading and creating profiles below report what matters.
  }
  if (game_->found()) {
    auto migration = migrateAtStart();
    if (!co_await migration) co_return;
  }
  // A restore that a dying process left unfinished is finished before any profile is read.
  auto recovery = background(this, [] { History::recoverAll(); });
  try {
    co_await recovery;
  } catch (const Abandoned&) {
    co_return;
  }
  loadProfiles();
  catalogue_->loadIndex(false);
  catalogue_->checkForAppUpdate();
  startPolling();
  emit startFinished();
}

QCoro::Task<bool> AppState::migrateAtStart() {
  try {
    auto job = background(this, [dir = game_->folder()] { return Installer::migrateLegacyInstall(dir); });
    auto migrated = co_await job;
    if (migrated) {
      activity_->setNote(QStringLiteral("Your existing mods were moved into the “Default” profile."));
      settings_.activeProfile = migrated->id;
    }
  } catch (const Abandoned&) {
    co_return false;
  } catch (...) {
    QString why = describe(std::current_exception());
    Log::write("migration failed: " + ss(why));
    activity_->setErrorMessage(QStringLiteral("Couldn’t move your existing mods into a profile: ") + why);
  }
  co_return true;
}

void AppState::loadProfiles() {
  std::vector<Profile> loaded = ProfileStore::loadAll();
  for (const Profile& p : loaded) statuses_->loadHolds(p);
  book_->reset(std::move(loaded));
  ensureAProfile();

  QString first;
  for (const Profile& p : profiles())
    if (p.id == settings_.activeProfile) first = qs(p.id);
  if (first.isEmpty() && !profiles().empty()) first = qs(profiles().front().id);
  selectProfile(first, /*keepMessages=*/true);  // the migration's messages stay visible
  refreshDerived();
}

void AppState::startPolling() {
  timer_ = new QTimer(this);  // a child: it dies with the state and never outlives it
  timer_->setInterval(5000);
  connect(timer_, &QTimer::timeout, this, &AppState::pollGame);
  timer_->start();
  pollGame();
}

void AppState::checkGame() {
  game_->setFound(Installer::isGameFolder(game_->folder()));

  // One folder per Steam account; an account whose launch options mention the loader's script counts.
  bool found = false;
  std::error_code ec;
  const auto userdata = Paths::steamDir() / "userdata";
  for (auto it = std::filesystem::directory_iterator(userdata, ec);
       !ec && !found && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    try {
      found =
          FS::readFile(it->path() / "config" / "localconfig.vdf").find("run_bepinex") != std::string::npos;
    } catch (...) {
      // A missing or unreadable file does not mention it.
    }
  }
  game_->setSteamLaunchOptionSet(found);
  emit derivedChanged();  // canPlay
}

void AppState::chooseGameFolder() {
  QPointer<AppState> self(this);
  workspace_->chooseFolder(
      QStringLiteral(
          "Select your Valheim folder (the one containing valheim.app). In Steam: right-click Valheim › "
          "Manage › Browse local files."),
      QStringLiteral("Use This Folder"), [self](std::optional<std::filesystem::path> folder) {
        if (self) self->useChosenFolder(std::move(folder));
      });
}

void AppState::useChosenFolder(std::optional<std::filesystem::path> folder) {
  if (!folder || folder->empty()) return;
  game_->setWrongFolderChosen(!Installer::isGameFolder(*folder));
  if (game_->wrongFolderChosen()) return;
  game_->setFolder(*folder);
  settings_.gameDir = folder->string();
  ProfileStore::saveSettings(settings_);
  activity_->setErrorMessage({});
  checkGame();
  migrateChosenFolder();
}

QCoro::Task<> AppState::migrateChosenFolder() {
  std::optional<Profile> migrated;
  try {
    auto job = background(this, [dir = game_->folder()] { return Installer::migrateLegacyInstall(dir); });
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

// ---- The running-game poll.

void AppState::pollGame() { pollTask(); }

QCoro::Task<> AppState::pollTask() {
  try {
    auto job = background(this, [] { return Installer::gameRunning(); });
    bool running = co_await job;
    game_->setRunning(running);
  } catch (...) {
    // Only Abandoned can arrive here: gameRunning never throws.
  }
}
