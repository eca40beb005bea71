// Mods from zip files the player chose or dropped on the window, rather than from the catalogue.
#include "app/mod_controller.hpp"

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "app/profile_sync.hpp"
#include "installer/installer.hpp"

void ModController::installModFile(const QUrl& file) {
  const Profile* sel = parts_.book->selected();
  if (!sel) return;
  const std::filesystem::path path = ss(file.toLocalFile());
  // The snapshot is taken once the archive's manifest names the mod.
  parts_.changes->perform(sel->id, tr("Installing %1…").arg(qs(path.filename().string())), std::nullopt,
                          [this, id = sel->id, path] { return installFileWork(id, path); });
}

QCoro::Task<> ModController::installFileWork(std::string id, std::filesystem::path file) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;
  auto installing = background(this, [file, p = *found] {
    return Installer::installModFile(file, p, [dir = p.dir()](const ProfileMod& mod) {
      History::snapshot(dir, History::describeInstallFile(mod.displayName()));
    });
  });
  const ProfileMod mod = co_await installing;
  found = parts_.book->find(id);
  if (!found) co_return;
  Profile p = *found;
  if (ProfileMod* held = p.find(mod.id()))
    *held = mod;
  else
    p.mods.push_back(mod);
  parts_.book->writeBack(p);
  // What it needs from the catalogue comes as any mod's dependencies do.
  co_await parts_.sync->sync(id);
  parts_.activity->setNote(tr("Installed %1 %2 from a file.").arg(qs(mod.displayName()), qs(mod.version)));
}

QCoro::Task<> ModController::installDroppedFile(std::string id, std::filesystem::path file) {
  auto installing = parts_.changes->queue()->change(id, parts_.activity->busy(),
                                                    [this, id, file] { return installFileWork(id, file); });
  co_await installing;
}
