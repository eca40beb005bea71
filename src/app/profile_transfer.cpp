// Sharing a profile as a profile code, and importing one into a new or an existing profile.
#include "app/profile_transfer.hpp"

#include <QCoreApplication>

#include <algorithm>

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/catalogue_state.hpp"
#include "app/describe.hpp"
#include "app/mod_statuses.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "app/profile_sync.hpp"
#include "app/text.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/app_error.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "foundation/scoped_dir.hpp"
#include "foundation/words.hpp"
#include "installer/installer.hpp"
#include "installer/plan.hpp"
#include "profiles/mod_list_text.hpp"
#include "profiles/profile_store.hpp"

ProfileTransfer::ProfileTransfer(Parts parts, QObject* parent) : QObject(parent), parts_(std::move(parts)) {}

void ProfileTransfer::shareCode(const ProfileItem& profile) {
  parts_.activity->perform(
      tr("Creating a profile code…"), [this, id = profile.profile.id] { return shareWork(id); },
      profile.profile.id);
}

QCoro::Task<> ProfileTransfer::shareWork(std::string id) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;  // deleted meanwhile: nothing to share, nothing to say
  const Profile p = *found;
  auto packing = background(this, [p] { return ProfileStore::exportZip(Installer::shareable(p)); });
  std::string zip = co_await packing;
  auto upload = background(this, [zip] { return Thunderstore::createProfileCode(zip); });
  std::string code = co_await upload;
  emit codeCreated(SharedCode{qs(code), qs(p.name)});
}

void ProfileTransfer::importCode(QString code, ImportTarget target) {
  performImport(target, [this, code, target] { return importWork(code, target); });
}

namespace {
// An import into a new profile is no change of one: it ends, as changes do, once its record is saved.
QCoro::Task<> thenSaved(ProfileQueue::Job work, ProfileBook* book) {
  co_await work();
  auto saving = book->saved();
  co_await saving;
}
}  // namespace

// An import over a profile is a change of it; the snapshot before it is taken once the archive is read.
void ProfileTransfer::performImport(const ImportTarget& target, ProfileQueue::Job work) {
  const QString label = tr("Importing profile…");
  if (target.kind == ImportTarget::Kind::newProfile)
    parts_.activity->perform(label, [work, book = parts_.book] { return thenSaved(work, book); });
  else
    parts_.changes->perform(ss(target.value), label, std::nullopt, std::move(work));
}

void ProfileTransfer::importCodeAsNew(const QString& code, const QString& name) {
  importCode(code, ImportTarget::newProfile(name));
}

void ProfileTransfer::importCodeReplacing(const QString& code, const QString& profileID) {
  importCode(code, ImportTarget::replace(profileID));
}

namespace {
// What a profile file's reader says, in place of the words it has for a profile code.
std::string profileFileProblem(const AppError& error) {
  if (dynamic_cast<const FS::UnpackError*>(&error))
    return QCoreApplication::translate("ProfileTransfer", "That file isn’t a profile file, or it is damaged.")
        .toStdString();
  if (error.message() == Words::translate("ProfileStore", "That profile code doesn’t contain a mod list."))
    return QCoreApplication::translate("ProfileTransfer", "That profile file doesn’t contain a mod list.")
        .toStdString();
  return error.message();
}

// "2 mods and 1 dependency": the explicit mods, and the others only when there are any.
QString contents(const Profile& p) {
  const qsizetype mods = explicitModCount(p);
  const qsizetype deps = qsizetype(p.mods.size()) - mods;
  const QString summary = QCoreApplication::translate("ProfileTransfer", "%n mods", nullptr, int(mods));
  if (deps == 0) return summary;
  return QCoreApplication::translate("ProfileTransfer", "%1 and %n dependencies", nullptr, int(deps))
      .arg(summary);
}

// The code's pack and mods, all as the user's own until the sync shows what needs what.
void takeMods(Profile& p, const ProfileStore::ImportedProfile& imported) {
  p.packVersion = imported.pack;
  p.mods.clear();
  for (const auto& mod : imported.mods) {
    PackageID id = splitPackageID(mod.id);
    p.mods.push_back(ProfileMod{id.ns, id.name, mod.version, std::nullopt, mod.enabled, true});
  }
}
}  // namespace

QCoro::Task<> ProfileTransfer::importWork(QString code, ImportTarget target) {
  auto fetch = background(this, [c = ss(code)] { return Thunderstore::fetchProfileCode(c); });
  std::string bytes = co_await fetch;
  auto importing = importArchive(std::move(bytes), target, ImportSource{"code " + ss(code), false});
  co_await importing;
}

QCoro::Task<> ProfileTransfer::importArchive(std::string bytes, ImportTarget target, ImportSource source) {
  auto reading = background(this, [bytes, fromFile = source.file] {
    try {
      return ProfileStore::readExport(bytes);
    } catch (const AppError& e) {
      if (!fromFile) throw;
      throw AppError(profileFileProblem(e));
    }
  });
  ProfileStore::ImportedProfile imported = co_await reading;
  const ScopedDir unpacked{imported.tempDir};  // removed however the import ends

  auto preparing = importTarget(target, qs(imported.name), source);
  Profile p = co_await preparing;
  takeMods(p, imported);
  try {
    parts_.statuses->setHolds(p, holdsOf(imported));
  } catch (...) {  // the mods still come; only the holds are lost
    parts_.activity->setErrorMessage(describe(std::current_exception()));
  }
  if (imported.configDir) {
    auto copy = background(this, [from = *imported.configDir, to = p.bepinex() / "config"] {
      FS::copyContents(from, to, true);
    });
    co_await copy;
  }
  parts_.book->writeBack(p);
  parts_.activity->setBusyProfile(p.id);
  parts_.show(qs(p.id));

  co_await parts_.sync->sync(p.id);
  // Everything some mod of the profile needs is a dependency, not the user's own choice.
  if (const Profile* synced = parts_.book->find(p.id)) {
    p = *synced;
    Plan::markDependencies(p, [&p](const std::string& key) { return Installer::dependencies(key, p); });
    parts_.book->writeBack(p);
  }
  parts_.activity->setNote(target.kind == ImportTarget::Kind::newProfile
                               ? tr("Imported “%1” with %2.").arg(qs(p.name), contents(p))
                           : source.file
                               ? tr("Replaced “%1” with %2 from the file.").arg(qs(p.name), contents(p))
                               : tr("Replaced “%1” with %2 from the code.").arg(qs(p.name), contents(p)));
}

HeldVersions ProfileTransfer::holdsOf(const ProfileStore::ImportedProfile& imported) const {
  HeldVersions holds = imported.holds;
  for (const std::string& id : imported.heldIDs) {
    const TSPackage* pkg = parts_.catalogue->packageWithUUID(id);
    auto mod = std::find_if(imported.mods.begin(), imported.mods.end(),
                            [&](const auto& m) { return pkg && m.id == pkg->fullName; });
    if (mod != imported.mods.end()) holds[mod->id] = mod->version;
  }
  return holds;
}

QCoro::Task<Profile> ProfileTransfer::importTarget(ImportTarget target, QString codeName,
                                                   ImportSource source) {
  if (target.kind == ImportTarget::Kind::newProfile) {
    QString name = trimSpacesAndTabs(target.value);
    if (name.isEmpty()) name = codeName;
    Profile p = ProfileStore::create(ss(parts_.book->uniqueName(name)));
    parts_.append(p);
    co_return p;
  }
  const Profile* found = parts_.book->find(ss(target.value));
  if (!found) throw AppError(tr("That profile no longer exists.").toStdString());
  const Profile p = *found;
  auto snapshot = background(this, [dir = p.dir(), change = History::describeImport(source.file)] {
    History::snapshot(dir, change);
  });
  co_await snapshot;
  // The old mods' own files go; their configuration stays unless the archive overwrites it.
  auto removal = background(this, [p] {
    for (const ProfileMod& m : p.mods) Installer::removeFiles(m.id(), p, false);
  });
  co_await removal;
  Log::write("replacing mods in profile '" + p.name + "' with " + source.name);
  co_return p;
}

void ProfileTransfer::copyModList(const ProfileItem& item, bool markdown) {
  const Profile* profile = parts_.book->find(item.profile.id);
  if (!profile) return;
  parts_.copy(qs(ModListText::of(*profile, parts_.statuses->holds(profile->id),
                                 markdown ? ModListText::Format::Markdown : ModListText::Format::Plain)));
  parts_.activity->setNote(tr("Copied the mod list of “%1”.").arg(qs(profile->name)));
}
