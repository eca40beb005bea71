// Profile files (the archive a profile code carries, written to or read from a file the user chose)
// and files dropped on the window.
#include "app/app_state.hpp"
#include "app/background.hpp"
#include "app/text.hpp"
#include "foundation/fs.hpp"
#include "installer/installer.hpp"
#include "profiles/profile_store.hpp"

namespace {
// Profile files hold a manifest and configuration files; anything far larger is not one.
constexpr size_t maxProfileFileBytes = size_t(256) << 20;
}  // namespace

void AppState::exportProfileFile(const ProfileItem& profile, const QUrl& file) {
  activity_->perform(
      QStringLiteral("Exporting profile…"),
      [this, id = profile.profile.id, path = ss(file.toLocalFile())] { return exportFileWork(id, path); },
      profile.profile.id);
}

QCoro::Task<> AppState::exportFileWork(std::string id, std::filesystem::path file) {
  const Profile* found = current(id);
  if (!found) co_return;  // deleted meanwhile: nothing to export, nothing to say
  const Profile p = *found;
  auto writing = background(
      this, [p, file] { FS::writeAtomic(file, ProfileStore::exportZip(Installer::shareable(p))); });
  co_await writing;
  activity_->setNote(QStringLiteral("Exported “%1” to %2.").arg(qs(p.name), qs(file.filename().string())));
}

void AppState::importProfileFile(QUrl file, ImportTarget target) {
  performImport(target,
                [this, path = ss(file.toLocalFile()), target] { return importFileWork(path, target); });
}

void AppState::importFileAsNew(const QUrl& file, const QString& name) {
  importProfileFile(file, ImportTarget::newProfile(name));
}

void AppState::importFileReplacing(const QUrl& file, const QString& profileID) {
  importProfileFile(file, ImportTarget::replace(profileID));
}

QCoro::Task<> AppState::importFileWork(std::filesystem::path file, ImportTarget target) {
  auto reading = background(this, [file] { return FS::readFile(file, maxProfileFileBytes); });
  std::string bytes = co_await reading;
  auto importing = importArchive(std::move(bytes), target, ImportSource{"file " + file.string(), true});
  co_await importing;
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
  auto installing = modController_->installDroppedFile(ss(selectedID()), path);
  co_await installing;
}
