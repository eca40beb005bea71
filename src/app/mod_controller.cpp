// The player's commands on the selected profile's mods.
#include "app/mod_controller.hpp"

#include <QLocale>

#include <algorithm>
#include <set>

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/catalogue_state.hpp"
#include "app/describe.hpp"
#include "app/mod_statuses.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "app/profile_sync.hpp"
#include "app/text.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "installer/download_cache.hpp"
#include "installer/installer.hpp"
#include "installer/plan.hpp"

ModController::ModController(Parts parts, QObject* parent) : QObject(parent), parts_(parts) {}

void ModController::add(const PackageItem& item) {
  const Profile* sel = parts_.book->selected();
  if (!sel) return;
  const TSPackage& pkg = item.pkg;
  parts_.changes->perform(sel->id, tr("Adding %1…").arg(qs(pkg.displayName())),
                          History::describeAdd(pkg.displayName()),
                          [this, id = sel->id, pkg] { return addWork(id, pkg); });
}

QCoro::Task<> ModController::addWork(std::string id, TSPackage pkg) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;
  Profile p = *found;
  // Record first, then install: the wish is saved even if the install fails.
  if (ProfileMod* held = p.find(pkg.fullName))
    held->isExplicit = true;
  else
    p.mods.push_back(ProfileMod{pkg.owner, pkg.name, pkg.latest, std::nullopt, true, true});
  parts_.book->writeBack(p);
  co_await parts_.sync->sync(id);
  parts_.activity->setNote(tr("Added %1.").arg(qs(pkg.displayName())));
}

void ModController::remove(const ModItem& item) {
  const Profile* sel = parts_.book->selected();
  if (!sel) return;
  const Profile& p = *sel;
  const ProfileMod& mod = item.mod;
  const Plan::Needs needs = [&p](const std::string& k) { return Installer::dependencies(k, p); };
  QStringList dependents;
  for (const ProfileMod& other : Plan::dependents(p, mod.id(), needs))
    dependents.append(qs(other.displayName()));
  if (!dependents.isEmpty()) {
    parts_.activity->setErrorMessage(tr("%1 is needed by %2. Remove those first.")
                                         .arg(qs(mod.displayName()), dependents.join(QStringLiteral(", "))));
    return;
  }
  parts_.changes->perform(p.id, tr("Removing %1…").arg(qs(mod.displayName())),
                          History::describeRemove(mod.displayName()),
                          [this, id = p.id, key = mod.id()] { return removeWork(id, key); });
}

QCoro::Task<> ModController::removeWork(std::string id, std::string key) {
  const Profile* found = parts_.book->find(id);
  if (!found || !found->find(key)) co_return;
  Profile p = *found;
  QStringList removed{qs(p.find(key)->displayName())};
  std::erase_if(p.mods, [&](const ProfileMod& m) { return m.id() == key; });
  // What only the removed mod needed goes with it.
  const std::set<std::string> needed =
      Plan::stillNeeded(p, [&p](const std::string& k) { return Installer::dependencies(k, p); });
  std::vector<std::string> keys{key};
  for (const ProfileMod& m : p.mods) {
    if (!Plan::unused(m, needed)) continue;
    keys.push_back(m.id());
    removed.append(qs(m.displayName()));
  }
  std::erase_if(p.mods, [&](const ProfileMod& m) { return Plan::unused(m, needed); });
  auto removal = background(this, [keys, before = *found] {
    for (const std::string& k : keys) {
      Installer::removeFiles(k, before, false);
      if (k != keys.front()) Log::write("removed unused dependency " + k);
    }
  });
  co_await removal;
  parts_.book->writeBack(p);
  parts_.activity->noteRemoval(removed);
}

void ModController::setEnabled(const ModItem& item, bool on) {
  const Profile* sel = parts_.book->selected();
  const ProfileMod* mod = sel ? sel->find(item.mod.id()) : nullptr;
  if (!mod) return;
  parts_.changes->perform(sel->id,
                          (on ? tr("Turning on %1…") : tr("Turning off %1…")).arg(qs(mod->displayName())),
                          History::describeToggle(*mod, on),
                          [this, id = sel->id, key = mod->id(), on] { return setEnabledWork(id, key, on); });
}

QCoro::Task<> ModController::setEnabledWork(std::string id, std::string key, bool on) {
  const Profile* found = parts_.book->find(id);
  if (!found || !found->find(key)) co_return;
  auto moving = background(this, [key, on, p = *found] { Installer::setEnabled(key, on, p); });
  co_await moving;
  found = parts_.book->find(id);
  if (!found || !found->find(key)) co_return;
  Profile p = *found;
  p.find(key)->enabled = on;
  parts_.book->writeBack(p);
}

void ModController::update(const ModItem& item) {
  const Profile* sel = parts_.book->selected();
  if (!sel) return;
  const TSPackage* pkg = parts_.statuses->catalogued(item.mod.ns, item.mod.name, *sel);
  if (!sel->find(item.mod.id()) || !pkg) return;
  QString name = qs(item.mod.displayName());
  parts_.changes->perform(sel->id, tr("Updating %1…").arg(name),
                          History::describeUpdate(*sel->find(item.mod.id()), pkg->latest),
                          [this, id = sel->id, key = item.mod.id(), name, version = pkg->latest] {
                            return updateWork(id, key, name, version);
                          });
}

QCoro::Task<> ModController::updateWork(std::string id, std::string key, QString name, std::string version) {
  const Profile* found = parts_.book->find(id);
  if (!found || !found->find(key)) co_return;
  Profile p = *found;
  p.find(key)->version = version;  // even when it is already the latest: the sync then repairs
  parts_.book->writeBack(p);
  // Updating a held mod is the player's answer to the question whether to let it go.
  if (HeldVersions holds = parts_.statuses->holds(id); holds.erase(key)) setHolds(p, std::move(holds));
  co_await parts_.sync->sync(id);
  parts_.activity->setNote(tr("Updated %1 to %2.").arg(name, qs(version)));
}

void ModController::updateAll() {
  const Profile* sel = parts_.book->selected();
  if (!sel) return;
  parts_.changes->perform(sel->id, tr("Updating mods…"), History::describeUpdateAll(),
                          [this, id = sel->id] { return updateAllWork(id); });
}

QCoro::Task<> ModController::updateAllWork(std::string id) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;
  Profile p = *found;
  // Held mods are passed by as if the catalogue had nothing newer.
  Plan::takeUpdates(
      p,
      [this, &p](const std::string& ns, const std::string& name) {
        return parts_.statuses->heldVersion(p, packageKey(ns, name))
                   ? nullptr
                   : parts_.statuses->catalogued(ns, name, p);
      },
      parts_.statuses->packStatus(p));
  parts_.book->writeBack(p);
  co_await parts_.sync->sync(id);
  const Profile* now = parts_.book->find(id);  // the sync may have removed it
  parts_.activity->setNote(upToDate(now ? parts_.statuses->heldUpdateCount(*now) : 0));
}

void ModController::updateReviewed(std::vector<std::string> keys, const std::vector<std::string>& holdKeys) {
  const Profile* sel = parts_.book->selected();
  if (!sel) return;
  if (!holdKeys.empty()) {
    HeldVersions holds = parts_.statuses->holds(sel->id);
    for (const std::string& key : holdKeys)
      if (const ProfileMod* mod = sel->find(key)) holds[key] = mod->installed.value_or(mod->version);
    setHolds(*sel, std::move(holds));
  }
  const std::string pack = packageKey(LoaderPack::ns, LoaderPack::name);
  std::vector<std::string> names;
  std::erase_if(keys, [&](const std::string& key) {
    if (key == pack) {
      names.push_back(displayName(LoaderPack::name));
      return false;
    }
    const ProfileMod* mod = sel->find(key);
    if (mod) names.push_back(mod->displayName());
    return !mod;
  });
  if (keys.empty()) return;
  const ProfileMod* one = keys.size() == 1 ? sel->find(keys.front()) : nullptr;
  const TSPackage* pkg = one ? parts_.statuses->catalogued(one->ns, one->name, *sel) : nullptr;
  parts_.changes->perform(sel->id,
                          pkg ? tr("Updating %1…").arg(qs(one->displayName())) : tr("Updating mods…"),
                          pkg ? History::describeUpdate(*one, pkg->latest) : History::describeUpdates(names),
                          [this, id = sel->id, keys] { return updateReviewedWork(id, keys); });
}

QCoro::Task<> ModController::updateReviewedWork(std::string id, std::vector<std::string> keys) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;
  Profile p = *found;
  int updated = 0;
  for (const std::string& key : keys) {
    if (key == packageKey(LoaderPack::ns, LoaderPack::name)) {
      if (const auto latest =
              parts_.catalogue->latest(std::string(LoaderPack::ns), std::string(LoaderPack::name))) {
        p.packVersion = latest;
        ++updated;
      }
    } else if (ProfileMod* mod = p.find(key)) {
      if (const TSPackage* pkg = parts_.statuses->catalogued(mod->ns, mod->name, p)) {
        mod->version = pkg->latest;
        ++updated;
      }
    }
  }
  parts_.book->writeBack(p);
  co_await parts_.sync->sync(id);
  parts_.activity->setNote(tr("Updated %n mods.", nullptr, updated));
}

void ModController::installMissing() {
  const Profile* sel = parts_.book->selected();
  if (!sel) return;
  parts_.changes->perform(sel->id, tr("Installing…"), std::nullopt,
                          [this, id = sel->id] { return syncWork(id, tr("Profile is ready to play.")); });
}

QCoro::Task<> ModController::syncWork(std::string id, QString note) {
  co_await parts_.sync->sync(id);
  parts_.activity->setNote(note);
}

void ModController::setHolds(const Profile& profile, HeldVersions holds) {
  try {
    parts_.statuses->setHolds(profile, std::move(holds));
  } catch (...) {
    parts_.activity->setErrorMessage(describe(std::current_exception()));
  }
}

void ModController::hold(const ModItem& item) {
  const Profile* sel = parts_.book->selected();
  const ProfileMod* mod = sel ? sel->find(item.mod.id()) : nullptr;
  if (!mod) return;
  HeldVersions holds = parts_.statuses->holds(sel->id);
  holds[mod->id()] = mod->installed.value_or(mod->version);
  setHolds(*sel, std::move(holds));
}

void ModController::releaseHold(const ModItem& item) {
  const Profile* sel = parts_.book->selected();
  if (!sel) return;
  HeldVersions holds = parts_.statuses->holds(sel->id);
  if (holds.erase(item.mod.id()) == 0) return;
  setHolds(*sel, std::move(holds));
}

QString ModController::heldAt(const QString& fullName) const {
  const Profile* p = parts_.book->selected();
  return p ? qs(parts_.statuses->heldVersion(*p, ss(fullName)).value_or("")) : QString();
}

void ModController::clearDownloadCache() {
  parts_.activity->perform(tr("Clearing the download cache…"), [this] { return clearCacheWork(); });
}

QCoro::Task<> ModController::clearCacheWork() {
  auto job = background(this, [] { return DownloadCache::clear(); });
  const uint64_t freed = co_await job;
  if (freed == 0) {
    parts_.activity->setNote(tr("The download cache was already empty."));
    co_return;
  }
  parts_.activity->setNote(tr("Cleared the download cache and freed %1.").arg(dataSize(int64_t(freed))));
}
