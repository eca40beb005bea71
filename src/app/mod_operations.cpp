// The user's commands on the selected profile's mods.
#include <algorithm>
#include <set>

#include "app/app_state.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "installer/installer.hpp"

namespace {
ProfileMod* find(Profile& p, const std::string& key) {
  auto it = std::find_if(p.mods.begin(), p.mods.end(), [&](const ProfileMod& m) { return m.id() == key; });
  return it == p.mods.end() ? nullptr : &*it;
}
}  // namespace

void AppState::add(const PackageItem& item) {
  const Profile* sel = selected();
  if (!sel) return;
  Profile p = *sel;
  const TSPackage& pkg = item.pkg;
  // Record first, then install: the wish is saved even if the install cannot start now.
  if (ProfileMod* held = find(p, pkg.fullName))
    held->isExplicit = true;
  else
    p.mods.push_back(ProfileMod{pkg.owner, pkg.name, pkg.latest, std::nullopt, true, true});
  writeBack(p);
  QString name = qs(pkg.displayName());
  perform(QStringLiteral("Adding %1…").arg(name), [this, id = p.id, name] { return addWork(id, name); });
}

QCoro::Task<> AppState::addWork(std::string id, QString name) {
  co_await syncProfile(id);
  setNote(QStringLiteral("Added %1.").arg(name));
}

void AppState::remove(const ModItem& item) {
  const Profile* sel = selected();
  // A running synchronisation may be installing into the folders this would delete.
  if (!sel || !busy_.isEmpty()) return;
  Profile p = *sel;
  const ProfileMod& mod = item.mod;
  const std::string key = mod.id();

  QStringList dependents;
  for (const ProfileMod& other : p.mods) {
    if (other.id() == key) continue;
    auto deps = Installer::dependencies(other.id(), p);
    if (std::any_of(deps.begin(), deps.end(), [&](const DependencyRef& d) { return d.id() == key; }))
      dependents.append(qs(other.displayName()));
  }
  if (!dependents.isEmpty()) {
    setErrorMessage(QStringLiteral("%1 is needed by %2. Remove those first.")
                        .arg(qs(mod.displayName()), dependents.join(QStringLiteral(", "))));
    return;
  }

  Installer::removeFiles(key, p, false);
  std::erase_if(p.mods, [&](const ProfileMod& m) { return m.id() == key; });

  // What the explicit mods still need, directly or through others.
  std::set<std::string> needed;
  std::vector<std::string> stack;
  for (const ProfileMod& m : p.mods)
    if (m.isExplicit && needed.insert(m.id()).second) stack.push_back(m.id());
  while (!stack.empty()) {
    std::string next = std::move(stack.back());
    stack.pop_back();
    for (const DependencyRef& d : Installer::dependencies(next, p))
      if (needed.insert(d.id()).second) stack.push_back(d.id());
  }
  auto unused = [&](const ProfileMod& m) { return !m.isExplicit && !needed.count(m.id()); };
  for (const ProfileMod& m : p.mods) {
    if (!unused(m)) continue;
    Installer::removeFiles(m.id(), p, false);
    Log::write("removed unused dependency " + m.id());
  }
  std::erase_if(p.mods, unused);
  writeBack(p);
  setNote(QStringLiteral("Removed %1.").arg(qs(mod.displayName())));
}

void AppState::setEnabled(const ModItem& item, bool on) {
  const Profile* sel = selected();
  if (!sel) return;
  Profile p = *sel;
  ProfileMod* mod = find(p, item.mod.id());
  if (!mod) return;
  Installer::setEnabled(mod->id(), on, p);
  mod->enabled = on;
  writeBack(p);
}

void AppState::update(const ModItem& item) {
  const Profile* sel = selected();
  if (!sel) return;
  Profile p = *sel;
  ProfileMod* mod = find(p, item.mod.id());
  const TSPackage* pkg = package(item.mod.ns, item.mod.name);
  if (!mod || !pkg) return;
  mod->version = pkg->latest;  // even when it is already the latest: the sync then repairs
  writeBack(p);
  QString name = qs(item.mod.displayName());
  perform(QStringLiteral("Updating %1…").arg(name),
          [this, id = p.id, name, version = qs(pkg->latest)] { return updateWork(id, name, version); });
}

QCoro::Task<> AppState::updateWork(std::string id, QString name, QString version) {
  co_await syncProfile(id);
  setNote(QStringLiteral("Updated %1 to %2.").arg(name, version));
}

void AppState::updateAll() {
  const Profile* sel = selected();
  if (!sel) return;
  Profile p = *sel;
  for (ProfileMod& m : p.mods) {
    const TSPackage* pkg = package(m.ns, m.name);
    if (pkg && m.installed && Version::newer(pkg->latest, *m.installed)) m.version = pkg->latest;
  }
  if (packStatus(p) == ModStatus::update)
    p.packVersion = latest(std::string(Installer::packNS), std::string(Installer::packName));
  writeBack(p);
  perform(QStringLiteral("Updating mods…"),
          [this, id = p.id] { return syncWork(id, QStringLiteral("Everything is up to date.")); });
}

void AppState::installMissing() {
  const Profile* sel = selected();
  if (!sel) return;
  perform(QStringLiteral("Installing…"),
          [this, id = sel->id] { return syncWork(id, QStringLiteral("Profile is ready to play.")); });
}

QCoro::Task<> AppState::syncWork(std::string id, QString note) {
  co_await syncProfile(id);
  setNote(note);
}
