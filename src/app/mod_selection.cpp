// Many mods at once: the picked rows and the bulk commands on them.
#include "app/mod_selection.hpp"

#include <QCoreApplication>

#include <algorithm>
#include <exception>
#include <set>
#include <utility>

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/describe.hpp"
#include "app/mod_list_model.hpp"
#include "app/mod_statuses.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "app/profile_sync.hpp"
#include "app/selected_profile.hpp"
#include "app/text.hpp"
#include "installer/halves.hpp"
#include "installer/installer.hpp"
#include "installer/profile_files.hpp"

namespace {
bool contains(const std::vector<std::string>& keys, const std::string& key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

QStringList namesOf(const Profile& profile, const std::vector<std::string>& keys) {
  QStringList names;
  for (const std::string& key : keys)
    if (const ProfileMod* m = profile.find(key)) names.append(qs(m->displayName()));
  return names;
}

Plan::Needs needsIn(const Profile& profile, ModStatuses* statuses) {
  return [&profile, statuses](const std::string& key) {
    const ProfileMod* m = profile.find(key);
    return m ? statuses->needs(*m, profile) : std::vector<DependencyRef>{};
  };
}
}  // namespace

ModSelection::ModSelection(Parts parts, QObject* parent) : QObject(parent), parts_(parts) {
  connect(parts_.selection, &SelectedProfile::changed, this, &ModSelection::follow);
  // Another profile may hold mods with the same keys: its rows start unpicked.
  connect(parts_.book, &ProfileBook::selectedChanged, this, [this] {
    rows_.clear();
    publish();
  });
  connect(parts_.selection, &SelectedProfile::profileChanged, this, [this] {
    const Profile* p = parts_.book->selected();
    if (search_ && (!p || p->id != search_->profileID)) setSearch(std::nullopt);
  });
  follow();
}

// The rows in the order the list shows them: the player's mods, then the dependencies.
void ModSelection::follow() {
  std::vector<std::string> order;
  for (const ModListModel* model : {parts_.selection->mods(), parts_.selection->dependencies()})
    for (const ModListModel::Row& row : model->rows()) order.push_back(row.mod.id());
  rows_.setOrder(std::move(order));
  publish();
}

void ModSelection::publish() {
  std::vector<std::string> keys = rows_.keys();
  // Every refresh of the rows comes here: with nothing picked before or after, nothing changed.
  if (keys.empty() && published_.empty()) return;
  const std::set<std::string> picked(keys.begin(), keys.end());
  parts_.selection->mods()->setPicked(picked);
  parts_.selection->dependencies()->setPicked(picked);
  const bool recounted = keys.size() != published_.size();
  published_ = std::move(keys);
  if (recounted) emit countChanged();
  emit changed();  // the offers follow the picked rows' state too
}

QString ModSelection::summary() const { return tr("%n selected", nullptr, count()); }

// Read from the rows the last refresh made: no file is looked at, however often the views ask.
QStringList ModSelection::offers() const {
  bool off = false, on = false, behind = false, unheld = false, held = false;
  for (const ModListModel* model : {parts_.selection->mods(), parts_.selection->dependencies()})
    for (const ModListModel::Row& row : model->rows()) {
      if (!rows_.isSelected(row.mod.id())) continue;
      (row.mod.enabled ? on : off) = true;
      (row.heldVersion ? held : unheld) = true;
      behind = behind || (!row.heldVersion && row.status == ModStatus::UpdateAvailable);
    }
  if (!on && !off) return {};
  QStringList offers;
  if (off) offers << QStringLiteral("turnOn");
  if (on) offers << QStringLiteral("turnOff");
  if (behind) offers << QStringLiteral("update");
  if (unheld) offers << QStringLiteral("hold");
  if (held) offers << QStringLiteral("releaseHold");
  offers << QStringLiteral("remove");
  return offers;
}

void ModSelection::click(const QString& key) {
  rows_.click(ss(key));
  publish();
}
void ModSelection::toggle(const QString& key) {
  rows_.toggle(ss(key));
  publish();
}
void ModSelection::extendTo(const QString& key) {
  rows_.extendTo(ss(key));
  publish();
}
void ModSelection::extendBy(int step) {
  rows_.extendBy(step);
  publish();
}
void ModSelection::selectAll() {
  rows_.selectAll();
  publish();
}
void ModSelection::clear() {
  rows_.clear();
  publish();
}

std::vector<std::string> ModSelection::picked(const std::function<bool(const std::string&)>& keep) const {
  std::vector<std::string> keys;
  for (const std::string& key : rows_.keys())
    if (keep(key)) keys.push_back(key);
  return keys;
}

// The enabled mods outside the selection that need one of the picked mods, in a sentence.
QString ModSelection::questionFor(bool removing) const {
  const Profile* p = parts_.book->selected();
  if (!p) return {};
  const std::vector<std::string> keys = rows_.keys();
  QStringList needers, needed;
  const Plan::Needs needs = needsIn(*p, parts_.statuses);
  for (const std::string& key : keys) {
    const ProfileMod* m = p->find(key);
    if (!m || !m->enabled) continue;
    bool isNeeded = false;
    for (const ProfileMod& other : Plan::dependents(*p, key, needs)) {
      if (!other.enabled || contains(keys, other.id())) continue;
      isNeeded = true;
      if (!needers.contains(qs(other.displayName()))) needers.append(qs(other.displayName()));
    }
    if (isNeeded) needed.append(qs(m->displayName()));
  }
  if (needers.isEmpty()) return {};
  // The names decide the verb: "PlanBuild needs", "PlanBuild and Build Camera need".
  const int n = int(needers.size());
  return (removing ? tr("%1 need %2. Remove them anyway?", nullptr, n)
                   : tr("%1 need %2. Turn them off anyway?", nullptr, n))
      .arg(joinNames(needers), joinNames(needed));
}

QString ModSelection::offQuestion() const { return questionFor(false); }
QString ModSelection::removeQuestion() const { return questionFor(true); }

QString ModSelection::questionAction() const {
  if (!asking_) return {};
  return *asking_ == Asking::remove ? tr("Remove") : tr("Turn Off");
}

void ModSelection::requestTurnOff() {
  if (offQuestion().isEmpty()) return turnOff();
  asking_ = Asking::turnOff;
  emit questionChanged();
}

void ModSelection::requestRemove() {
  if (removeQuestion().isEmpty()) return remove();
  asking_ = Asking::remove;
  emit questionChanged();
}

void ModSelection::answer(bool goAhead) {
  const std::optional<Asking> asked = std::exchange(asking_, std::nullopt);
  emit questionChanged();
  if (!goAhead || !asked) return;
  if (*asked == Asking::remove)
    remove();
  else
    turnOff();
}

void ModSelection::turnOn() {
  const Profile* p = parts_.book->selected();
  if (!p) return;
  const auto on = picked([p](const std::string& k) { return p->find(k) && !p->find(k)->enabled; });
  if (on.empty()) return;
  const int n = int(on.size());
  switchMods({}, on, tr("Turning on %n mods…", nullptr, n), ss(tr("Turned on %n mods", nullptr, n)),
             ss(tr("Turn On %n Mods", nullptr, n)));
}

void ModSelection::turnOff() {
  const Profile* p = parts_.book->selected();
  if (!p) return;
  const auto off = picked([p](const std::string& k) { return p->find(k) && p->find(k)->enabled; });
  if (off.empty()) return;
  const int n = int(off.size());
  switchMods(off, {}, tr("Turning off %n mods…", nullptr, n), ss(tr("Turned off %n mods", nullptr, n)),
             ss(tr("Turn Off %n Mods", nullptr, n)));
}

void ModSelection::switchMods(std::vector<std::string> off, std::vector<std::string> on, QString label,
                              std::string description, std::string undo) {
  const Profile* p = parts_.book->selected();
  if (!p) return;
  parts_.changes->perform(p->id, label, History::Change{std::move(description), std::move(undo)},
                          [this, id = p->id, off, on] { return switchWork(id, off, on); });
}

QCoro::Task<> ModSelection::switchWork(std::string id, std::vector<std::string> off,
                                       std::vector<std::string> on) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;
  struct Moved {
    std::vector<std::pair<std::string, bool>> done;
    std::exception_ptr error;
  };
  // The files move on a worker; what moved before a failure is recorded, and the failure shown.
  auto moving = background(this, [off, on, p = *found] {
    Moved moved;
    try {
      for (const auto& [keys, state] : {std::pair{&off, false}, std::pair{&on, true}})
        for (const std::string& key : *keys) {
          const ProfileMod* m = p.find(key);
          if (!m || m->enabled == state) continue;
          Installer::setEnabled(key, state, p);
          moved.done.emplace_back(key, state);
        }
    } catch (...) {
      moved.error = std::current_exception();
    }
    return moved;
  });
  const Moved moved = co_await moving;
  if (const Profile* now = parts_.book->find(id); now && !moved.done.empty()) {
    Profile p = *now;
    for (const auto& [key, state] : moved.done)
      if (ProfileMod* m = p.find(key)) m->enabled = state;
    parts_.book->writeBack(p);
  }
  if (moved.error) std::rethrow_exception(moved.error);
}

void ModSelection::update() {
  const Profile* p = parts_.book->selected();
  if (!p) return;
  const auto files = Installer::ProfileFiles::read(*p);
  const auto keys = picked([&](const std::string& k) {
    const ProfileMod* m = p->find(k);
    return m && !parts_.statuses->heldVersion(*p, k) &&
           parts_.statuses->status(*m, *p, files) == ModStatus::UpdateAvailable;
  });
  if (keys.empty()) return;
  const int n = int(keys.size());
  parts_.changes->perform(
      p->id, tr("Updating %n mods…", nullptr, n),
      History::Change{ss(tr("Updated %n mods", nullptr, n)), ss(tr("Update %n Mods", nullptr, n))},
      [this, id = p->id, keys] { return updateWork(id, keys); });
}

QCoro::Task<> ModSelection::updateWork(std::string id, std::vector<std::string> keys) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;
  Profile p = *found;
  for (const std::string& key : keys)
    if (ProfileMod* m = p.find(key))
      if (const TSPackage* pkg = parts_.statuses->catalogued(m->ns, m->name, p)) m->version = pkg->latest;
  parts_.book->writeBack(p);
  co_await parts_.sync->sync(id);
  parts_.activity->setNote(tr("Updated %n mods.", nullptr, int(keys.size())));
}

void ModSelection::hold() {
  const Profile* p = parts_.book->selected();
  if (!p) return;
  HeldVersions holds = parts_.statuses->holds(p->id);
  for (const std::string& key : rows_.keys())
    if (const ProfileMod* m = p->find(key); m && !holds.count(key))
      holds[key] = m->installed.value_or(m->version);
  try {
    parts_.statuses->setHolds(*p, std::move(holds));
  } catch (...) {
    parts_.activity->setErrorMessage(describe(std::current_exception()));
  }
  emit changed();
}

void ModSelection::releaseHold() {
  const Profile* p = parts_.book->selected();
  if (!p) return;
  HeldVersions holds = parts_.statuses->holds(p->id);
  for (const std::string& key : rows_.keys()) holds.erase(key);
  try {
    parts_.statuses->setHolds(*p, std::move(holds));
  } catch (...) {
    parts_.activity->setErrorMessage(describe(std::current_exception()));
  }
  emit changed();
}

void ModSelection::remove() {
  const Profile* p = parts_.book->selected();
  if (!p || count() == 0) return;
  const std::vector<std::string> keys = rows_.keys();
  const int n = int(keys.size());
  parts_.changes->perform(
      p->id, tr("Removing %n mods…", nullptr, n),
      History::Change{ss(tr("Removed %n mods", nullptr, n)), ss(tr("Remove %n Mods", nullptr, n))},
      [this, id = p->id, keys] { return removeWork(id, keys); });
}

QCoro::Task<> ModSelection::removeWork(std::string id, std::vector<std::string> keys) {
  const Profile* found = parts_.book->find(id);
  if (!found) co_return;
  Profile p = *found;
  std::erase_if(p.mods, [&](const ProfileMod& m) { return contains(keys, m.id()); });
  // What only the removed mods needed goes with them; what others still need stays.
  const std::set<std::string> needed =
      Plan::stillNeeded(p, [&p](const std::string& k) { return Installer::dependencies(k, p); });
  std::vector<std::string> gone = keys;
  for (const ProfileMod& m : p.mods)
    if (Plan::unused(m, needed)) gone.push_back(m.id());
  std::erase_if(p.mods, [&](const ProfileMod& m) { return Plan::unused(m, needed); });
  QStringList removed = namesOf(*found, gone);
  auto removal = background(this, [gone, before = *found] {
    for (const std::string& k : gone) Installer::removeFiles(k, before, false);
  });
  co_await removal;
  parts_.book->writeBack(p);
  rows_.clear();
  publish();
  parts_.activity->setNote(tr("Removed %1.").arg(joinNames(removed)));
}

// ---- The search for a broken mod.

void ModSelection::turnOffHalf() {
  const Profile* p = parts_.book->selected();
  if (!p) return;
  const bool going = search_ && !search_->found && search_->profileID == p->id;
  const std::vector<std::string> suspects =
      going ? search_->suspects
            : picked([p](const std::string& k) { return p->find(k) && p->find(k)->enabled; });
  if (suspects.empty() || (!going && suspects.size() < 2)) return;
  Halves::Split halves = Halves::split(*p, suspects, needsIn(*p, parts_.statuses));
  if (halves.second.empty()) {  // one mod, or one group that stays together: the problem is there
    setSearch(Search{p->id, suspects, {}, true});
    return;
  }
  const int n = int(halves.first.size());
  switchMods(halves.first, {}, tr("Turning off %n mods…", nullptr, n),
             ss(tr("Turned off %n mods", nullptr, n)), ss(tr("Turn Off %n Mods", nullptr, n)));
  setSearch(Search{p->id, std::move(halves.second), std::move(halves.first), false});
}

void ModSelection::swapHalves() {
  const Profile* p = parts_.book->selected();
  if (!p || !search_ || search_->found || search_->cleared.empty()) return;
  if (search_->cleared.size() == 1) {  // the problem went with this one mod
    setSearch(Search{p->id, search_->cleared, {}, true});
    return;
  }
  switchMods(search_->suspects, search_->cleared, tr("Swapping halves…"), ss(tr("Swapped halves")),
             ss(tr("Swap Halves")));
  setSearch(Search{p->id, search_->cleared, search_->suspects, false});
}

void ModSelection::endSearch() { setSearch(std::nullopt); }

void ModSelection::setSearch(std::optional<Search> search) {
  search_ = std::move(search);
  searchLine_.clear();
  if (const Profile* p = parts_.book->selected(); search_ && p) {
    const QStringList suspects = namesOf(*p, search_->suspects);
    searchLine_ = search_->found
                      ? tr("Found it: %1").arg(joinNames(suspects))
                      : tr("%n mods left to check. Play: if the problem is still there, turn off half "
                           "again; if it went, swap the halves.",
                           nullptr, int(suspects.size()));
  }
  emit searchChanged();
}
