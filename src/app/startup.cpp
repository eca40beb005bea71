// Start-up, and the game folder the player chooses.

#include <QPointer>

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
  game_->check();
  selection_->readGame(game_->folder());
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
  game_->startPolling();
  emit startFinished();
}

QCoro::Task<bool> AppState::migrateAtStart() {
  try {
    auto job = background(this, [dir = game_->folder()] { return Installer::migrateLegacyInstall(dir); });
    auto migrated = co_await job;
    if (migrated) {
      activity_->setNote(tr("Your existing mods were moved into the “Default” profile."));
      settings_.activeProfile = migrated->id;
    }
  } catch (const Abandoned&) {
    co_return false;
  } catch (...) {
    QString why = describe(std::current_exception());
    Log::write("migration failed: " + ss(why));
    activity_->setErrorMessage(tr("Couldn’t move your existing mods into a profile: %1").arg(why));
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
  if (first.isEmpty())
    selection_->refresh();  // no profile to select: the window asks for one
  else
    selectProfile(first, /*keepMessages=*/true);  // the migration's messages stay visible
}

void AppState::chooseGameFolder() {
  QPointer<AppState> self(this);
  workspace_->chooseFolder(
      tr("Select your Valheim folder (the one containing valheim.app). In Steam: right-click Valheim › "
         "Manage › Browse local files."),
      tr("Use This Folder"), [self](std::optional<std::filesystem::path> folder) {
        if (self) self->useChosenFolder(std::move(folder));
      });
}

void AppState::useChosenFolder(std::optional<std::filesystem::path> folder) {
  if (!folder || folder->empty() || !game_->choose(*folder)) return;
  settings_.gameDir = folder->string();
  ProfileStore::saveSettings(settings_);
  activity_->setErrorMessage({});
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
