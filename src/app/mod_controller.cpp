// The user's commands on the selected profile's mods.
#include <algorithm>
#include <set>

#include "app/app_state.hpp"
#include "app/background.hpp"
#include "app/text.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "installer/installer.hpp"
#include "installer/plan.hpp"

void AppState::add(const PackageItem& item) {
  const Profile* sel = selected();
  if (!sel) return;
  const TSPackage& pkg = item.pkg;
  performChange(sel->id, QStringLiteral("Adding %1…").arg(qs(pkg.displayName())),
                History::describeAdd(pkg.displayName()),
                [this, id = sel->id, pkg] { return addWork(id, pkg); });
}

QCoro::Task<> AppState::addWork(std::string id, TSPackage pkg) {
  const Profile* found = current(id);
  if (!found) co_return;
  Profile p = *found;
  // Record first, then install: the wish is saved even if the install fails.
  if (ProfileMod* held = p.find(pkg.fullName))
    held->isExplicit = true;
  else
    p.mods.push_back(ProfileMod{pkg.owner, pkg.name, pkg.latest, std::nullopt, true, true});
  writeBack(p);
  co_await syncProfile(id);
  activity_->setNote(QStringLiteral("Added %1.").arg(qs(pkg.displayName())));
}

void AppState::remove(const ModItem& item) {
  const Profile* sel = selected();
  if (!sel) return;
  const Profile& p = *sel;
  const ProfileMod& mod = item.mod;
  const Plan::Needs needs = [&p](const std::string& k) { return Installer::dependencies(k, p); };
  QStringList dependents;
  for (const ProfileMod& other : Plan::dependents(p, mod.id(), needs))
    dependents.append(qs(other.displayName()));
  if (!dependents.isEmpty()) {
    activity_->setErrorMessage(QStringLiteral("%1 is needed by %2. Remove those first.")
                                   .arg(qs(mod.displayName()), dependents.join(QStringLiteral(", "))));
    return;
  }
  performChange(p.id, QStringLiteral("Removing %1…").arg(qs(mod.displayName())),
                History::describeRemove(mod.displayName()),
                [this, id = p.id, key = mod.id()] { return removeWork(id, key); });
}

QCoro::Task<> AppState::removeWork(std::string id, std::string key) {
  const Profile* found = current(id);
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
  writeBack(p);
  activity_->noteRemoval(removed);
}

void AppState::setEnabled(const ModItem& item, bool on) {
  const Profile* sel = selected();
  const ProfileMod* mod = sel ? sel->find(item.mod.id()) : nullptr;
  if (!mod) return;
  performChange(
      sel->id,
      (on ? QStringLiteral("Turning on %1…") : QStringLiteral("Turning off %1…")).arg(qs(mod->displayName())),
      History::describeToggle(*mod, on),
      [this, id = sel->id, key = mod->id(), on] { return setEnabledWork(id, key, on); });
}

QCoro::Task<> AppState::setEnabledWork(std::string id, std::string key, bool on) {
  const Profile* found = current(id);
  if (!found || !found->find(key)) co_return;
  auto moving = background(this, [key, on, p = *found] { Installer::setEnabled(key, on, p); });
  co_await moving;
  found = current(id);
  if (!found || !found->find(key)) co_return;
  Profile p = *found;
  p.find(key)->enabled = on;
  writeBack(p);
}

void AppState::update(const ModItem& item) {
  const Profile* sel = selected();
  if (!sel) return;
  const TSPackage* pkg = catalogued(item.mod.ns, item.mod.name, *sel);
  if (!sel->find(item.mod.id()) || !pkg) return;
  QString name = qs(item.mod.displayName());
  performChange(sel->id, QStringLiteral("Updating %1…").arg(name),
                History::describeUpdate(*sel->find(item.mod.id()), pkg->latest),
                [this, id = sel->id, key = item.mod.id(), name, version = pkg->latest] {
                  return updateWork(id, key, name, version);
                });
}

QCoro::Task<> AppState::updateWork(std::string id, std::string key, QString name, std::string version) {
  const Profile* found = current(id);
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
  performChange(sel->id, QStringLiteral("Updating mods…"), History::describeUpdateAll(),
                [this, id = sel->id] { return updateAllWork(id); });
}

QCoro::Task<> AppState::updateAllWork(std::string id) {
  const Profile* found = current(id);
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
  activity_->setNote(upToDate(found ? heldUpdateCount(*current(id)) : 0));
}

void AppState::installMissing() {
  const Profile* sel = selected();
  if (!sel) return;
  performChange(sel->id, QStringLiteral("Installing…"), std::nullopt,
                [this, id = sel->id] { return syncWork(id, QStringLiteral("Profile is ready to play.")); });
}

QCoro::Task<> AppState::syncWork(std::string id, QString note) {
  co_await syncProfile(id);
  activity_->setNote(note);
}
