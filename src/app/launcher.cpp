#include "app/launcher.hpp"

#include <QLocale>

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/catalogue_state.hpp"
#include "app/config_editor.hpp"
#include "app/game_state.hpp"
#include "app/launch_check.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "app/profile_sync.hpp"
#include "app/values.hpp"
#include "app/workspace.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "installer/installer.hpp"
#include "profiles/good_launch.hpp"

Launcher::Launcher(Parts parts, QObject* parent) : QObject(parent), parts_(std::move(parts)) {
  // The warning is about one profile and one game folder.
  connect(parts_.book, &ProfileBook::selectedChanged, this, &Launcher::clearWarning);
  connect(parts_.game, &GameState::folderChanged, this, &Launcher::clearWarning);
}

void Launcher::play() { start(Guard::warn); }
void Launcher::playAnyway() { start(Guard::playAnyway); }
void Launcher::playWithoutWarning() { start(Guard::stopWarning); }

void Launcher::start(Guard guard) {
  const Profile* p = parts_.book->selected();
  if (!p) return;
  // The sync before the launch writes the profile: it is a change like any other.
  if (QString why = parts_.changes->refusal(p->id); !why.isEmpty()) {
    parts_.activity->setErrorMessage(why);
    return;
  }
  // The game reads the settings files when it starts: unsaved edits are saved or dropped first.
  parts_.config->leave(ConfigEditor::Leaving::toPlay, {}, [this, id = p->id, guard] {
    parts_.changes->perform(
        id, tr("Preparing…"), std::nullopt,
        [this, id, guard, dir = parts_.game->folder()] { return playWork(id, dir, guard); });
  });
}

void Launcher::clearWarning() {
  if (!gameUpdateWarning()) return;
  warning_ = {};
  emit gameUpdateWarningChanged();
}

QCoro::Task<> Launcher::playWork(std::string id, std::filesystem::path gameDir, Guard guard) {
  const Profile* selected = parts_.book->find(id);
  if (!selected) co_return;
  // The last good launch and the game's build, as they are now: small files, read once per Play.
  auto reading = background(this, [p = *selected, gameDir] {
    return std::pair(ProfileStore::loadGoodLaunch(p), Installer::readGameBuild(gameDir));
  });
  auto [good, build] = co_await reading;
  if (parts_.gameRead) parts_.gameRead(build);
  const std::optional<int64_t> buildID = build ? build->buildID : std::nullopt;
  const Profile* clicked = parts_.book->find(id);
  if (!clicked) co_return;
  if (guard == Guard::warn && good && warnOfGameUpdate(*good, buildID) && build->lastUpdated) {
    const Warning next{updatedTitle(*build->lastUpdated, ::now()),
                       updatedMessage(modsOlderThan(*clicked, *parts_.catalogue, *build->lastUpdated))};
    if (next.title != warning_.title || next.message != warning_.message) {
      warning_ = next;
      emit gameUpdateWarningChanged();
    }
    co_return;
  }
  clearWarning();
  if (guard == Guard::stopWarning && good && buildID) {
    good->dismissedBuild = buildID;
    auto saving =
        background(this, [p = *clicked, record = *good] { ProfileStore::saveGoodLaunch(p, record); });
    try {
      co_await saving;
    } catch (const std::exception& e) {
      Log::write(std::string("could not keep the game update's dismissal: ") + e.what());  // warned again
    }
  }

  co_await parts_.sync->sync(id);
  const Profile* found = parts_.book->find(id);  // synchronisation may have changed or removed it
  if (!found) co_return;
  const Profile p = *found;
  // The loader's log as the last start left it: the launch's own log is the one that differs.
  const auto log = p.bepinex() / "LogOutput.log";
  LaunchCheck::Baseline baseline{.good = good, .gameBuild = buildID};
  auto activation = background(this, [p, gameDir, log, baseline]() mutable {
    Installer::activate(p, gameDir);
    LaunchCheck::findSnapshots(baseline, p);
    return std::pair(LogFollower::stamp(log), std::move(baseline));
  });
  auto [before, measured] = co_await activation;
  // The launch blocks for up to a minute and a half; its progress texts replace the busy label.
  auto launch = background(
      this, [gameDir, report = parts_.activity->busyReporter()] { Installer::launch(gameDir, report); });
  co_await launch;
  parts_.launchCheck->follow(p, log, before, std::move(measured));
  parts_.game->poll();
}

QString Launcher::updatedTitle(Date updated, Date today) {
  const QDate day = qdate(updated).toLocalTime().date();
  const bool thisYear = day.year() == qdate(today).toLocalTime().date().year();
  const QString when =
      QLocale().toString(day, thisYear ? QStringLiteral("d MMMM") : QStringLiteral("d MMMM yyyy"));
  return tr("Valheim was updated on %1, after this profile last started.").arg(when);
}

QString Launcher::updatedMessage(int older) {
  return older > 0 ? tr("%n of its mods haven’t been updated since then.", nullptr, older) : QString();
}

int Launcher::modsOlderThan(const Profile& profile, const CatalogueState& catalogue, Date updated) {
  int older = 0;
  for (const ProfileMod& mod : profile.mods) {
    if (!mod.enabled || !mod.installed) continue;
    const TSPackage* pkg = catalogue.package(mod.ns, mod.name);
    older += pkg && pkg->updated < updated;
  }
  return older;
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
