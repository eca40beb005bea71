#include "app/launcher.hpp"

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/config_editor.hpp"
#include "app/game_state.hpp"
#include "app/launch_check.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "app/profile_sync.hpp"
#include "app/workspace.hpp"
#include "foundation/fs.hpp"
#include "installer/installer.hpp"

Launcher::Launcher(Parts parts, QObject* parent) : QObject(parent), parts_(std::move(parts)) {}

void Launcher::play() {
  const Profile* p = parts_.book->selected();
  if (!p) return;
  // The sync before the launch writes the profile: it is a change like any other.
  if (QString why = parts_.changes->refusal(p->id); !why.isEmpty()) {
    parts_.activity->setErrorMessage(why);
    return;
  }
  // The game reads the settings files when it starts: unsaved edits are saved or dropped first.
  parts_.config->leave(ConfigEditor::Leaving::toPlay, {}, [this, id = p->id] {
    parts_.changes->perform(id, tr("Preparing…"), std::nullopt,
                            [this, id, dir = parts_.game->folder()] { return playWork(id, dir); });
  });
}

QCoro::Task<> Launcher::playWork(std::string id, std::filesystem::path gameDir) {
  co_await parts_.sync->sync(id);
  const Profile* found = parts_.book->find(id);  // synchronisation may have changed or removed it
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
  auto launch = background(
      this, [gameDir, report = parts_.activity->busyReporter()] { Installer::launch(gameDir, report); });
  co_await launch;
  parts_.launchCheck->follow(p, log, before);
  parts_.game->poll();
}

void Launcher::openGameLog() {
  const Profile* p = parts_.book->selected();
  if (!p) return;
  const auto log = p->bepinex() / "LogOutput.log";
  if (FS::exists(log))
    parts_.workspace().openFile(log);
  else
    parts_.activity->setErrorMessage(tr("No game log yet — it appears after you play this profile once."));
}
