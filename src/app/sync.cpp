// Profile synchronisation: makes a profile's files match what it wants.
#include <algorithm>
#include <deque>
#include <set>

#include "app/app_state.hpp"
#include "app/archive_prefetch.hpp"
#include "app/background.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/app_error.hpp"
#include "installer/installer.hpp"

QCoro::Task<> AppState::syncProfile(std::string id) {
  const Profile* found = current(id);
  if (!found) co_return;
  Profile p = *found;
  const std::filesystem::path gameDir = gameDir_;
  if (!gameFound_) throw AppError("Valheim wasn’t found. Choose your Valheim folder first.");

  if (!Installer::loaderInstalled(gameDir)) {
    setBusy(QStringLiteral("Installing the BepInEx loader…"));
    auto job = background(this, [gameDir, progress = downloadReporter()] {
      Installer::ensureLoader(gameDir, progress);
    });
    co_await job;
  }

  // The pack: missing files, or a wanted version other than the installed one.
  if (packStatus(p) == ModStatus::notInstalled || p.packVersion != p.packInstalled) {
    const std::string ns(Installer::packNS), name(Installer::packName);
    std::optional<std::string> version = p.packVersion;
    if (!version) version = latest(ns, name);
    if (!version) {
      auto lookup = background(this, [ns, name] { return Thunderstore::latestVersion(ns, name); });
      version = co_await lookup;
    }
    if (!version) throw AppError("Couldn’t reach Thunderstore. Check your internet connection.");
    setBusy(QStringLiteral("Installing BepInEx %1…").arg(qs(*version)));
    auto job = background(this, [p, v = *version, gameDir, progress = downloadReporter()] {
      Installer::installPack(p, v, gameDir, progress);
    });
    co_await job;
    p.packVersion = version;
    p.packInstalled = version;
    writeBack(p);
  }

  co_await syncMods(std::move(p));
}

QCoro::Task<> AppState::syncMods(Profile p) {
  // Archives download ahead, several at once; installs still happen one at a time in this order.
  ArchivePrefetch prefetch(this, downloadPool_, downloadReporter());
  auto needsInstall = [&p](const ProfileMod& m) {
    return !m.installed || *m.installed != m.version || !Installer::filesPresent(m.id(), p);
  };
  auto fetchAhead = [&](const ProfileMod& m) {
    if (needsInstall(m)) prefetch.want({m.ns, m.name, m.version});
  };
  for (const ProfileMod& m : p.mods) fetchAhead(m);

  std::exception_ptr failure;
  try {
    // Breadth-first: the profile's own mods in list order, then what they need, and so on.
    // Each key is handled once per run, which also ends dependency cycles.
    std::deque<std::string> queue;
    for (const ProfileMod& m : p.mods) queue.push_back(m.id());
    std::set<std::string> visited;
    auto position = [&p](const std::string& key) {
      return std::find_if(p.mods.begin(), p.mods.end(), [&](const ProfileMod& m) { return m.id() == key; });
    };
    while (!queue.empty()) {
      std::string key = std::move(queue.front());
      queue.pop_front();
      if (visited.count(key) || position(key) == p.mods.end()) continue;
      visited.insert(key);
      const size_t i = size_t(position(key) - p.mods.begin());
      const ProfileMod mod = p.mods[i];

      std::vector<DependencyRef> needs;
      if (needsInstall(mod)) {
        setBusy(QStringLiteral("Installing %1 %2…").arg(qs(mod.displayName()), qs(mod.version)));
        auto downloaded = prefetch.ready(ArchiveRef{mod.ns, mod.name, mod.version});
        co_await downloaded;
        auto job = background(this, [mod, p, progress = downloadReporter()] {
          return Installer::installMod(mod, mod.version, p, progress);
        });
        needs = co_await job;
        p.mods[i].installed = mod.version;
        writeBack(p);
      } else {
        needs = Installer::dependencies(key, p);
      }

      for (const DependencyRef& dep : needs) {
        const std::string depKey = dep.id();
        if (position(depKey) == p.mods.end()) {
          std::optional<std::string> version = latest(dep.ns, dep.name);
          if (!version) {
            auto lookup = background(this, [dep] { return Thunderstore::latestVersion(dep.ns, dep.name); });
            version = co_await lookup;
          }
          if (!version)
            throw AppError("Couldn’t find " + depKey + " on Thunderstore (needed by " + mod.displayName() + ").");
          p.mods.push_back(ProfileMod{dep.ns, dep.name, *version, std::nullopt, true, false});
          writeBack(p);
          fetchAhead(p.mods.back());
        }
        queue.push_back(depKey);
      }
    }
  } catch (...) {
    failure = std::current_exception();
  }
  // A failure starts no more downloads; those under way end before the run does.
  auto settled = prefetch.settle();
  co_await settled;
  if (failure) std::rethrow_exception(failure);
}
