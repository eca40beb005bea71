// Playing the selected profile and opening its game log.
#include "app/app_state.hpp"
#include "app/background.hpp"
#include "app/launch_check.hpp"
#include "foundation/fs.hpp"
#include "installer/installer.hpp"

void AppState::play() {
  const Profile* p = selected();
  if (!p) return;
  // The sync before the launch writes the profile: it is a change like any other.
  if (QString why = changes_->refusal(p->id); !why.isEmpty()) {
    activity_->setErrorMessage(why);
    return;
  }
  // The game reads the settings files when it starts: unsaved edits are saved or dropped first.
  config_->leave(ConfigEditor::Leaving::toPlay, {}, [this, id = p->id] {
    changes_->perform(id, QStringLiteral("Preparing…"), std::nullopt,
                      [this, id, dir = game_->folder()] { return playWork(id, dir); });
  });
}

void AppState::closeConfig() {
  config_->leave(ConfigEditor::Leaving::toClose, {}, [this] { window_->close(WindowState::Sheet::Config); });
}

QCoro::Task<> AppState::playWork(std::string id, std::filesystem::path gameDir) {
  co_await sync_->sync(id);
  const Profile* found = current(id);  // synchronisation may have changed or removed it
  if (!found) co_return;
  const Profile p = *found;
  // The loader's log as the last start left it: the launch's own log is the one that differs.
  const auto log = p.bepinex() / "LogOutput.log";
  auto activation = background(this, [p, gameDir, log] {
    Installer::activate(p, gameDir);
    return LogFollower::stamp(log);
  });
  const LogFollower::Stamp before = co_await activation;
  // The launch blocks for up to a minute and a half; its progress texts replace the busy label.
  auto launch =
      background(this, [gameDir, report = activity_->busyReporter()] { Installer::launch(gameDir, report); });
  co_await launch;
  launchCheck_->follow(p, log, before);
  game_->poll();
}

void AppState::openGameLog() {
  const Profile* p = selected();
  if (!p) return;
  const auto log = p->bepinex() / "LogOutput.log";
  if (FS::exists(log))
    workspace_->openFile(log);
  else
    activity_->setErrorMessage(
        QStringLiteral("No game log yet — it appears after you play this profile once."));
}
