// Mods from zip files the player chose or dropped on the window, rather than from the catalogue.

#include "app/app_state.hpp"
#include "app/background.hpp"
#include "app/text.hpp"
#include "foundation/fs.hpp"
#include "installer/installer.hpp"

void AppState::installModFile(const QUrl& file) {
  const Profile* sel = selected();
  if (!sel) return;
  const std::filesystem::path path = ss(file.toLocalFile());
  // The snapshot is taken once the archive's manifest names the mod.
  performChange(sel->id, QStringLiteral("Installing %1…").arg(qs(path.filename().string())), std::nullopt,
                [this, id = sel->id, path] { return installFileWork(id, path); });
}

QCoro::Task<> AppState::installFileWork(std::string id, std::filesystem::path file) {
  const Profile* found = current(id);
  if (!found) co_return;
  auto installing = background(this, [file, p = *found] {
    return Installer::installModFile(file, p, [dir = p.dir()](const ProfileMod& mod) {
      History::snapshot(dir, History::describeInstallFile(mod.displayName()));
    });
  });
  const ProfileMod mod = co_await installing;
  found = current(id);
  if (!found) co_return;
  Profile p = *found;
  if (ProfileMod* held = p.find(mod.id()))
    *held = mod;
  else
    p.mods.push_back(mod);
  writeBack(p);
  // What it needs from the catalogue comes as any mod's dependencies do.
  co_await syncProfile(id);
  activity_->setNote(
      QStringLiteral("Installed %1 %2 from a file.").arg(qs(mod.displayName()), qs(mod.version)));
}

void AppState::openDroppedFile(const QUrl& file) {
  activity_->perform(QStringLiteral("Opening %1…").arg(file.fileName()),
                     [this, file] { return dropWork(file); });
}

QCoro::Task<> AppState::dropWork(QUrl file) {
  // A mod archive has its manifest at the top; a profile file never has one there.
  const std::filesystem::path path = ss(file.toLocalFile());
  auto peek = background(this, [path] { return FS::zipHasEntry(path, "manifest.json"); });
  if (!co_await peek) {
    window_->closeSheets();
    window_->setImportFile(file);
    window_->setShowImport(true);
    co_return;
  }
  const std::string id = ss(selectedID_);
  auto installing =
      queue_->change(id, activity_->busy(), [this, id, path] { return installFileWork(id, path); });
  co_await installing;
}
