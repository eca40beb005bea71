#include "app/selected_profile.hpp"

#include <unordered_map>
#include <utility>
#include <vector>

#include "app/background.hpp"
#include "app/catalogue_state.hpp"
#include "app/mod_statuses.hpp"
#include "app/package_list_model.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "installer/installer.hpp"
#include "installer/plan.hpp"
#include "installer/profile_files.hpp"

SelectedProfile::SelectedProfile(Parts parts, QObject* parent)
    : QObject(parent), parts_(parts), mods_(new ModListModel(this)), dependencies_(new ModListModel(this)) {}

QString SelectedProfile::offQuestion(const std::string& key) const {
  const QString asked = mods_->offQuestion(key);
  return asked.isEmpty() ? dependencies_->offQuestion(key) : asked;
}

void SelectedProfile::refresh() {
  std::vector<ModListModel::Row> explicitRows, dependencyRows;
  std::unordered_map<std::string, bool> inProfile;
  Values next;
  if (const Profile* p = parts_.book->selected()) {
    next.profile = QVariant::fromValue(ProfileItem(*p));
    ModStatuses& statuses = *parts_.statuses;
    const auto files = Installer::ProfileFiles::read(*p);
    // Who needs whom, by the stored manifests, gathered once: mod key → the other mods that need
    // it, in list order.
    std::unordered_map<std::string, std::vector<const ProfileMod*>> neededBy;
    for (const ProfileMod& m : p->mods)
      for (const DependencyRef& d : statuses.needs(m, *p)) {
        auto& needers = neededBy[d.id()];
        if (d.id() != m.id() && (needers.empty() || needers.back() != &m)) needers.push_back(&m);
      }
    for (const ProfileMod& m : p->mods) {
      const bool fromFile = files.fromFile(m.id());
      const TSPackage* pkg = fromFile ? nullptr : parts_.catalogue->package(m.ns, m.name);
      ModListModel::Row row{
          m,  statuses.status(m, *p, files),   pkg ? std::optional(*pkg) : std::nullopt, fromFile, {},
          {}, statuses.heldVersion(*p, m.id())};
      row.olderThanGame = pkg && gameUpdated_ && pkg->updated < *gameUpdated_;
      if (const auto needers = neededBy.find(m.id()); needers != neededBy.end())
        for (const ProfileMod* other : needers->second) {
          row.neededBy.append(qs(other->displayName()));
          if (other->enabled) row.neededByEnabled.append(qs(other->displayName()));
        }
      next.needsInstall += row.status == ModStatus::NotInstalled;
      next.updates += row.status == ModStatus::UpdateAvailable;
      next.heldUpdates += row.heldVersion && pkg && Version::newer(pkg->latest, *row.heldVersion);
      (m.isExplicit ? explicitRows : dependencyRows).push_back(std::move(row));
      inProfile.emplace(m.id(), m.isExplicit);  // the first entry of a key decides
    }
    next.pack = statuses.packStatus(*p);
    next.needsInstall += next.pack == ModStatus::NotInstalled;
    next.updates += next.pack == ModStatus::UpdateAvailable;
    const auto& all = parts_.book->all();
    for (size_t i = 0; i < all.size(); ++i)
      if (all[i].id == p->id) next.index = int(i);
    parts_.book->model()->setUpdateCount(p->id, next.updates);  // the sidebar's badge
  }
  mods_->setRows(std::move(explicitRows));
  dependencies_->setRows(std::move(dependencyRows));
  parts_.catalogue->indexModel()->setProfileMods(std::move(inProfile));

  next.canChange = values_.canChange;
  const Values was = std::exchange(values_, next);
  if (was.profile != next.profile) emit profileChanged();
  if (was.index != next.index) emit indexChanged();
  if (was.needsInstall != next.needsInstall) emit needsInstallChanged();
  if (was.updates != next.updates) emit updatesChanged();
  if (was.heldUpdates != next.heldUpdates) emit heldUpdatesChanged();
  if (was.pack != next.pack) emit packStatusChanged();
  refreshCanChange();  // and tells of the change as a whole
}

void SelectedProfile::readGame(std::filesystem::path gameDir) { readGameTask(std::move(gameDir)); }

QCoro::Task<> SelectedProfile::readGameTask(std::filesystem::path gameDir) {
  const unsigned generation = ++gameReads_;
  try {
    auto job = background(this, [gameDir] { return Installer::readGameBuild(gameDir); });
    const std::optional<GameBuild> build = co_await job;
    if (generation == gameReads_) setGameBuild(build);
  } catch (const Abandoned&) {
  }
}

void SelectedProfile::setGameBuild(const std::optional<GameBuild>& build) {
  ++gameReads_;  // what a read still running finds is older
  // A manifest without a build number is not trusted for its date either.
  const std::optional<Date> updated = build && build->buildID ? build->lastUpdated : std::nullopt;
  if (updated == gameUpdated_) return;
  gameUpdated_ = updated;
  refresh();
}

void SelectedProfile::refreshCanChange() {
  const Profile* p = parts_.book->selected();
  const bool can = p && parts_.changes->canChange(p->id);
  if (can != values_.canChange) {
    values_.canChange = can;
    emit canChangeChanged();
  }
  emit changed();
}

QVariantMap SelectedProfile::relations(const QString& key) const {
  const Profile* p = parts_.book->selected();
  const ProfileMod* mod = p ? p->find(ss(key)) : nullptr;
  if (!mod) return {};
  ModStatuses* statuses = parts_.statuses;
  const Plan::Needs needs = [p, statuses](const std::string& k) {
    const ProfileMod* m = p->find(k);
    return m ? statuses->needs(*m, *p) : std::vector<DependencyRef>{};
  };
  QVariantList neededBy;
  for (const ProfileMod& other : Plan::neededBy(*p, mod->id(), needs))
    neededBy.append(QVariantMap{{"key", qs(other.id())}, {"name", qs(other.displayName())}});
  QVariantList own;
  for (const DependencyRef& d : needs(mod->id())) {
    const ProfileMod* there = p->find(d.id());
    own.append(QVariantMap{{"key", qs(d.id())},
                           {"name", qs(displayName(d.name))},
                           {"version", there ? qs(there->installed) : QString()},
                           {"enabled", there && there->enabled}});
  }
  return {{"neededBy", neededBy}, {"needs", own}};
}
