// The user's commands on the selected profile's mods.
#include <algorithm>
#include <set>

#include "app/app_state.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "installer/installer.hpp"
#include "installer/plan.hpp"

void AppState::add(const PackageItem& item) {
  const Profile* sel = selected();
  if (!sel) return;
  Profile p = *sel;
  const TSPackage& pkg = item.pkg;
  if (!snapshotBefore(p, History::describeAdd(pkg.displayName()))) return;
  // Record first, then install: the wish is saved even if the install cannot start now.
  if (ProfileMod* held = p.find(pkg.fullName))
    held->isExplicit = true;
  else
    p.mods.push_back(ProfileMod{pkg.owner, pkg.name, pkg.latest, std::nullopt, true, true});
  writeBack(p);
  QString name = qs(pkg.displayName());
  activity_->perform(
      QStringLiteral("Adding %1…").arg(name), [this, id = p.id, name] { return addWork(id, name); }, p.id);
}

QCoro::Task<> AppState::addWork(std::string id, QString name) {
  co_await syncProfile(id);
  activity_->setNote(QStringLiteral("Added %1.").arg(name));
}

void AppState::remove(const ModItem& item) {
  const Profile* sel = selected();
  // A running synchronisation may be installing into the folders this would delete.
  if (!sel || !activity_->idle()) return;
  Profile p = *sel;
  const ProfileMod& mod = item.mod;
  const std::string key = mod.id();

  const Plan::Needs needs = [&p](const std::string& k) { return Installer::dependencies(k, p); };
  QStringList dependents;
  for (const ProfileMod& other : Plan::dependents(p, key, needs)) dependents.append(qs(other.displayName()));
  if (!dependents.isEmpty()) {
    activity_->setErrorMessage(QStringLiteral("%1 is needed by %2. Remove those first.")
                                   .arg(qs(mod.displayName()), dependents.join(QStringLiteral(", "))));
    return;
  }

  if (!snapshotBefore(p, History::describeRemove(mod.displayName()))) return;
  Installer::removeFiles(key, p, false);
  std::erase_if(p.mods, [&](const ProfileMod& m) { return m.id() == key; });

  const std::set<std::string> needed = Plan::stillNeeded(p, needs);
  QStringList removed{qs(mod.displayName())};
  for (const ProfileMod& m : p.mods) {
    if (!Plan::unused(m, needed)) continue;
    Installer::removeFiles(m.id(), p, false);
    Log::write("removed unused dependency " + m.id());
    removed.append(qs(m.displayName()));
  }
  std::erase_if(p.mods, [&](const ProfileMod& m) { return Plan::unused(m, needed); });
  writeBack(p);
  history_->refresh();
  activity_->noteRemoval(removed);
}

void AppState::setEnabled(const ModItem& item, bool on) {
  const Profile* sel = selected();
  if (!sel) return;
  Profile p = *sel;
  ProfileMod* mod = p.find(item.mod.id());
  if (!mod || !snapshotBefore(p, History::describeToggle(*mod, on))) return;
  Installer::setEnabled(mod->id(), on, p);
  mod->enabled = on;
  writeBack(p);
  history_->refresh();
}

void AppState::update(const ModItem& item) {
  const Profile* sel = selected();
  if (!sel) return;
  const TSPackage* pkg = catalogued(item.mod.ns, item.mod.name, *sel);
  if (!sel->find(item.mod.id()) || !pkg) return;
  QString name = qs(item.mod.displayName());
  activity_->perform(
      QStringLiteral("Updating %1…").arg(name),
      [this, id = sel->id, key = item.mod.id(), name, version = pkg->latest] {
        return updateWork(id, key, name, version);
      },
      sel->id);
}

QCoro::Task<> AppState::updateWork(std::string id, std::string key, QString name, std::string version) {
  const Profile* found = current(id);
  if (!found || !found->find(key)) co_return;
  auto snapshot = snapshotOnWorker(*found, History::describeUpdate(*found->find(key), version));
  co_await snapshot;
  found = current(id);
  if (!found || !found->find(key)) co_return;
  Profile p = *found;
  p.find(key)->version = version;  // even when it is already the latest: the sync then repairs
  writeBack(p);
  // Updating a held mod is the player's answer to the question whether to let it go.
  if (HeldVersions holds = holds_[id]; holds.erase(key)) setHolds(p, std::move(holds));
  co_await syncProfile(id);
  activity_->setNote(QStringLiteral("Updated %1 to %2.").arg(name, qs(version)));
}

void AppState::updateAll() {
  const Profile* sel = selected();
  if (!sel) return;
  activity_->perform(
      QStringLiteral("Updating mods…"), [this, id = sel->id] { return updateAllWork(id); }, sel->id);
}

QCoro::Task<> AppState::updateAllWork(std::string id) {
  const Profile* found = current(id);
  if (!found) co_return;
  auto snapshot = snapshotOnWorker(*found, History::describeUpdateAll());
  co_await snapshot;
  found = current(id);
  if (!found) co_return;
  Profile p = *found;
  // Held mods are passed by as if the catalogue had nothing newer.
  Plan::takeUpdates(
      p,
      [this, &p](const std::string& ns, const std::string& name) {
        return heldVersion(p, packageKey(ns, name)) ? nullptr : catalogued(ns, name, p);
      },
      packStatus(p));
  writeBack(p);
  co_await syncProfile(id);
  activity_->setNote(QStringLiteral("Everything is up to date."));
}

void AppState::installMissing() {
  const Profile* sel = selected();
  if (!sel) return;
  activity_->perform(
      QStringLiteral("Installing…"),
      [this, id = sel->id] { return syncWork(id, QStringLiteral("Profile is ready to play.")); }, sel->id);
}

QCoro::Task<> AppState::syncWork(std::string id, QString note) {
  co_await syncProfile(id);
  activity_->setNote(note);
}
