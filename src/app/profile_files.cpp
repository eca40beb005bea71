// Profile files: the archive a profile code carries, written to or read from a file the user chose.
#include "app/profile_transfer.hpp"

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/profile_book.hpp"
#include "app/text.hpp"
#include "foundation/fs.hpp"
#include "installer/installer.hpp"
#include "profiles/profile_store.hpp"

namespace {
// Profile files hold a manifest and configuration files; anything far larger is not one.
constexpr size_t maxProfileFileBytes = size_t(256) << 20;
}  // namespace

void ProfileTransfer::exportProfileFile(const ProfileItem& profile, const QUrl& file) {
  parts_.activity->perform(
      tr("Exporting profile…"),
      [this, id = profile.profile.id, path = ss(file.toLocalFile())] { return exportFileWork(id, path); },
      profile.profile.id);
}

QCoro::Task<> ProfileTransfer::exportFileWork(std::string id, std::filesystem::path file) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;  // deleted meanwhile: nothing to export, nothing to say
  const Profile p = *found;
  auto writing = background(
      this, [p, file] { FS::writeAtomic(file, ProfileStore::exportZip(Installer::shareable(p))); });
  co_await writing;
  parts_.activity->setNote(tr("Exported “%1” to %2.").arg(qs(p.name), qs(file.filename().string())));
}

void ProfileTransfer::importProfileFile(QUrl file, ImportTarget target) {
  performImport(target,
                [this, path = ss(file.toLocalFile()), target] { return importFileWork(path, target); });
}

void ProfileTransfer::importFileAsNew(const QUrl& file, const QString& name) {
  importProfileFile(file, ImportTarget::newProfile(name));
}

void ProfileTransfer::importFileReplacing(const QUrl& file, const QString& profileID) {
  importProfileFile(file, ImportTarget::replace(profileID));
}

QCoro::Task<> ProfileTransfer::importFileWork(std::filesystem::path file, ImportTarget target) {
  auto reading = background(this, [file] { return FS::readFile(file, maxProfileFileBytes); });
  std::string bytes = co_await reading;
  auto importing = importArchive(std::move(bytes), target, ImportSource{"file " + file.string(), true});
  co_await importing;
}
