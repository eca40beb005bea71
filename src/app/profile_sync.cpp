// Profile synchronisation: makes a profile's files match what it wants.
#include "app/profile_sync.hpp"

#include <QPointer>
#include <QThreadPool>

#include <set>

#include "app/activity.hpp"
#include "app/archive_prefetch.hpp"
#include "app/background.hpp"
#include "app/catalogue_state.hpp"
#include "app/game_state.hpp"
#include "app/mod_statuses.hpp"
#include "app/profile_book.hpp"
#include "app/values.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/app_error.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "installer/installer.hpp"
#include "installer/plan.hpp"

ProfileSync::ProfileSync(Parts parts, QObject* parent)
    : QObject(parent), parts_(parts), downloadPool_(new QThreadPool(this)) {
  downloadPool_->setMaxThreadCount(8);  // more than parallelDownloads() ever asks for
}

QCoro::Task<> ProfileSync::sync(std::string id) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;
  Profile p = *found;
  const std::filesystem::path gameDir = parts_.game->folder();
  if (!parts_.game->found())
    throw AppError(tr("Valheim wasn’t found. Choose your Valheim folder first.").toStdString());

  if (!Installer::loaderInstalled(gameDir)) {
    parts_.activity->setBusy(tr("Installing the BepInEx loader…"));
    auto job = background(this, [gameDir, progress = parts_.activity->downloadReporter()] {
      // The download's address stays in the activity log; the player gets what failed.
      try {
        Installer::ensureLoader(gameDir, progress);
      } catch (const Thunderstore::DownloadRefused& refused) {
        throw AppError(
            tr("Couldn’t download the mod loader (BepInEx): the server answered %1. Try again later.")
                .arg(refused.status)
                .toStdString());
      } catch (const Http::NetworkError& failed) {
        throw AppError(tr("Couldn’t download the mod loader (BepInEx). %1")
                           .arg(QString::fromUtf8(failed.what()))
                           .toStdString());
      }
    });
    co_await job;
  }
  if (Plan::packNeedsInstall(p, parts_.statuses->packStatus(p))) {
    auto pack = syncPack(p, gameDir);
    p = co_await pack;
  }

  auto mods = syncMods(std::move(p));
  co_await mods;
}

namespace {
// Gets the mod's archive ready ahead of its install when it will be installed from the catalogue.
void fetchAhead(ArchivePrefetch& prefetch, const Profile& p, const ProfileMod& mod) {
  if (Plan::needsInstall(mod, Installer::filesPresent(mod.id(), p)) &&
      !Installer::installedFromFile(mod.id(), p))
    prefetch.want({mod.ns, mod.name, mod.version});
}
}  // namespace

QCoro::Task<> ProfileSync::syncMods(Profile p) {
  // Archives download ahead of their installs, several at once. The installs stay one at a time
  // and in the order below, so the profile ends up as it does when each archive downloads in turn.
  ArchivePrefetch prefetch(this, downloadPool_, parts_.activity->downloadReporter());
  for (const ProfileMod& mod : p.mods) fetchAhead(prefetch, p, mod);
  std::exception_ptr failure;
  try {
    // The mods, wave by wave: the profile's own, then what they need, and so on.
    std::set<std::string> seen;
    for (auto wave = Plan::firstWave(p, seen); !wave.empty();) {
      std::vector<std::string> next;
      for (const std::string& key : wave) {
        auto step = syncMod(p, key, &prefetch);
        SyncedMod synced = co_await step;
        p = std::move(synced.profile);
        next.insert(next.end(), synced.needs.begin(), synced.needs.end());
      }
      wave = Plan::nextWave(p, next, seen);
    }
  } catch (...) {
    failure = std::current_exception();
  }
  // After a failure no new download starts; those under way end before the run does.
  auto settled = prefetch.settle();
  co_await settled;
  if (failure) std::rethrow_exception(failure);
}

QCoro::Task<Profile> ProfileSync::syncPack(Profile p, std::filesystem::path gameDir) {
  std::optional<std::string> version = p.packVersion;
  if (!version) {
    auto lookup = latestVersion(DependencyRef{std::string(LoaderPack::ns), std::string(LoaderPack::name)});
    version = co_await lookup;
  }
  if (!version)
    throw AppError(tr("Couldn’t reach Thunderstore. Check your internet connection.").toStdString());
  parts_.activity->setBusy(tr("Installing BepInEx %1…").arg(qs(*version)));
  auto job = background(this, [p, v = *version, gameDir, progress = parts_.activity->downloadReporter()] {
    Installer::installPack(p, v, gameDir, progress);
  });
  co_await job;
  p.packVersion = version;
  p.packInstalled = version;
  parts_.book->writeBack(p);
  co_return p;
}

QCoro::Task<ProfileSync::SyncedMod> ProfileSync::syncMod(Profile p, std::string key,
                                                         ArchivePrefetch* prefetch) {
  ProfileMod& held = *p.find(key);  // a wave holds only keys the profile has
  const ProfileMod mod = held;
  const bool fromFile = Installer::installedFromFile(key, p);
  if (Plan::needsInstall(mod, Installer::filesPresent(key, p))) {
    parts_.activity->setBusy(tr("Installing %1 %2…").arg(qs(mod.displayName()), qs(mod.version)));
    if (fromFile) {
      auto job = background(this, [key, p] { return Installer::reinstallModFile(key, p); });
      held.version = (co_await job).version;
    } else {
      QPointer<ProfileSync> alive(this);
      auto prepared = prefetch->ready(ArchiveRef{mod.ns, mod.name, mod.version});
      const std::optional<std::filesystem::path> unpacked = co_await prepared;
      if (!alive) throw Abandoned{};  // the prefetch outlives its owner's parts
      auto job = background(this, [mod, p, unpacked, progress = parts_.activity->downloadReporter()] {
        return unpacked ? Installer::installUnpacked(mod, mod.version, *unpacked, p)
                        : Installer::installMod(mod, mod.version, p, progress);
      });
      co_await job;
    }
    held.installed = held.version;
    parts_.book->writeBack(p);
  }
  const std::vector<DependencyRef> needs = Installer::dependencies(key, p);

  for (const DependencyRef& dep : Plan::missing(p, needs)) {
    auto lookup = latestVersion(dep);
    const std::optional<std::string> version = co_await lookup;
    if (!version && fromFile) {
      // A mod from a file may need others that are not on the catalogue; the player brings those too.
      Log::write("skipped " + dep.id() + ", needed by " + key + ": not on Thunderstore");
      continue;
    }
    if (!version)
      throw AppError(tr("Couldn’t find %1 on Thunderstore (needed by %2).")
                         .arg(qs(dep.id()), qs(mod.displayName()))
                         .toStdString());
    p.mods.push_back(Plan::dependencyMod(dep, *version));
    parts_.book->writeBack(p);
    fetchAhead(*prefetch, p, p.mods.back());
  }
  co_return SyncedMod{std::move(p), Plan::keys(needs)};
}

QCoro::Task<std::optional<std::string>> ProfileSync::latestVersion(DependencyRef wanted) {
  if (std::optional<std::string> known = parts_.catalogue->latest(wanted.ns, wanted.name)) co_return known;
  auto lookup = background(this, [wanted] { return Thunderstore::latestVersion(wanted.ns, wanted.name); });
  co_return co_await lookup;
}
