// The update review: what Update All and a single Update show before anything changes.
#include "app/update_review.hpp"

#include <algorithm>
#include <set>

#include "app/background.hpp"
#include "app/catalogue_state.hpp"
#include "app/mod_controller.hpp"
#include "app/mod_statuses.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "app/text.hpp"
#include "app/window_state.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"
#include "installer/plan.hpp"
#include "installer/profile_files.hpp"

namespace {
QDateTime released(const TSPackage& pkg) {
  return pkg.updated == distantPast ? QDateTime() : qdate(pkg.updated);
}

std::vector<DependencyRef> needsOf(const TSPackage& pkg) {
  std::vector<DependencyRef> needs;
  for (const std::string& entry : pkg.dependencies) {
    const PackageID id = splitPackageID(entry);
    if (!id.ns.empty() && !id.name.empty()) needs.push_back({id.ns, id.name});
  }
  return needs;
}

std::string packKey() { return packageKey(LoaderPack::ns, LoaderPack::name); }
}  // namespace

UpdateReview::UpdateReview(Parts parts, QObject* parent) : QAbstractListModel(parent), parts_(parts) {
  connect(parts_.window, &WindowState::sheetChanged, this, &UpdateReview::sheetChanged);
  connect(parts_.window, &WindowState::payloadChanged, this, &UpdateReview::sheetChanged);
  // The review is of the selected profile: another one selected meanwhile brings its own updates.
  connect(parts_.book, &ProfileBook::selectedChanged, this, [this] {
    if (parts_.window->sheet() == WindowState::Sheet::UpdateReview) fill();
  });
}

std::string UpdateReview::docKey(const std::string& ns, const std::string& name, const std::string& version) {
  return packageKey(ns, name, version);
}

void UpdateReview::sheetChanged() {
  if (parts_.window->sheet() == WindowState::Sheet::UpdateReview)
    fill();
  else if (!rows_.empty() || !profileID_.empty())
    clear();
}

void UpdateReview::clear() {
  beginResetModel();
  rows_.clear();
  profileID_.clear();
  endResetModel();
  emit countChanged();
  recount();
}

void UpdateReview::fill() {
  beginResetModel();
  rows_.clear();
  const Profile* p = parts_.book->selected();
  profileID_ = p ? p->id : std::string();
  const QString only = parts_.window->payload().toString();
  if (p) {
    const auto files = Installer::ProfileFiles::read(*p);
    for (const ProfileMod& mod : p->mods) {
      if (!only.isEmpty() && qs(mod.id()) != only) continue;
      if (!mod.installed || parts_.statuses->status(mod, *p, files) != ModStatus::UpdateAvailable) continue;
      const TSPackage* pkg = parts_.catalogue->package(mod.ns, mod.name);  // an update is catalogued
      if (!pkg) continue;
      rows_.push_back(Row{.key = mod.id(),
                          .ns = mod.ns,
                          .name = mod.name,
                          .displayName = qs(mod.displayName()),
                          .installed = *mod.installed,
                          .latest = pkg->latest,
                          .released = released(*pkg),
                          .size = pkg->size,
                          .needs = needsOf(*pkg)});
    }
    const TSPackage* pack =
        parts_.catalogue->package(std::string(LoaderPack::ns), std::string(LoaderPack::name));
    if (only.isEmpty() && pack && parts_.statuses->packStatus(*p) == ModStatus::UpdateAvailable)
      rows_.push_back(Row{.key = packKey(),
                          .ns = pack->owner,
                          .name = pack->name,
                          .displayName = qs(pack->displayName()),
                          .installed = p->packInstalled.value_or(""),
                          .latest = pack->latest,
                          .released = released(*pack),
                          .size = pack->size});
  }
  endResetModel();
  emit countChanged();
  recount();
}

int UpdateReview::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant UpdateReview::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count()) return {};
  const Row& row = rows_[size_t(index.row())];
  switch (role) {
    case KeyRole: return qs(row.key);
    case Qt::DisplayRole:
    case NameRole: return row.displayName;
    case InstalledRole: return qs(row.installed);
    case LatestRole: return qs(row.latest);
    case ReleasedRole: return row.released;
    case SizeRole: return row.size > 0 ? dataSize(row.size) : QString();
    case TickedRole: return row.ticked;
    case HeldRole: return row.held;
    case ChangelogLoadingRole: return row.changelog == Row::Changelog::loading;
    case ChangelogRole: return qs(row.slice.markdown);
    case ChangelogCutRole: return row.slice.cut;
    case WholeChangelogRole: return row.whole;
    default: return {};
  }
}

QHash<int, QByteArray> UpdateReview::roleNames() const {
  return {{KeyRole, "key"},
          {NameRole, "name"},
          {InstalledRole, "installed"},
          {LatestRole, "latest"},
          {ReleasedRole, "released"},
          {SizeRole, "size"},
          {TickedRole, "ticked"},
          {HeldRole, "held"},
          {ChangelogLoadingRole, "changelogLoading"},
          {ChangelogRole, "changelog"},
          {ChangelogCutRole, "changelogCut"},
          {WholeChangelogRole, "wholeChangelog"}};
}

void UpdateReview::setTicked(int row, bool ticked) {
  if (row < 0 || row >= count() || rows_[size_t(row)].ticked == ticked) return;
  rows_[size_t(row)].ticked = ticked;
  emit dataChanged(index(row), index(row), {TickedRole});
  recount();
}

void UpdateReview::setHeld(int row, bool held) {
  if (row < 0 || row >= count() || rows_[size_t(row)].held == held) return;
  rows_[size_t(row)].held = held;
  emit dataChanged(index(row), index(row), {HeldRole});
  recount();
}

QString UpdateReview::confirmText() const {
  int n = 0;
  int64_t bytes = 0;
  for (const Row& row : rows_) {
    if (!row.ticked || row.held) continue;
    ++n;
    bytes += row.size;
  }
  return bytes > 0 ? tr("Update %n Mods — %1", nullptr, n).arg(dataSize(bytes))
                   : tr("Update %n Mods", nullptr, n);
}

bool UpdateReview::canConfirm() const {
  return std::any_of(rows_.begin(), rows_.end(), [](const Row& row) { return row.ticked && !row.held; });
}

void UpdateReview::recount() {
  QStringList added;
  if (const Profile* p = parts_.book->find(profileID_)) {
    // What the ticked updates need that the profile lacks, and what those need in turn.
    std::vector<DependencyRef> wanted;
    for (const Row& row : rows_)
      if (row.ticked && !row.held) wanted.insert(wanted.end(), row.needs.begin(), row.needs.end());
    std::set<std::string> seen;
    for (size_t i = 0; i < wanted.size(); ++i) {
      const DependencyRef dep = wanted[i];
      // The loader pack is no mod of the profile: it comes with the loader.
      if (dep.id() == packKey() || p->find(dep.id()) || !seen.insert(dep.id()).second) continue;
      const TSPackage* pkg = parts_.catalogue->package(dep.ns, dep.name);
      added.append(qs(pkg ? pkg->displayName() : displayName(dep.name)));
      if (pkg)
        for (const DependencyRef& more : needsOf(*pkg)) wanted.push_back(more);
    }
  }
  newDependencies_ = added;
  emit choicesChanged();
}

// A changelog that arrives tells only of itself: the row's other bindings stay as they are.
QList<int> UpdateReview::changelogRoles() {
  return {ChangelogLoadingRole, ChangelogRole, ChangelogCutRole, WholeChangelogRole};
}

void UpdateReview::setChangelog(Row& row, const QString& markdown) {
  row.changelog = Row::Changelog::loaded;
  row.whole = markdown;
  row.slice = Changelog::newerThan(ss(markdown), row.installed);
}

void UpdateReview::loadChangelog(int row) {
  if (row < 0 || row >= count() || rows_[size_t(row)].changelog != Row::Changelog::unasked) return;
  Row& r = rows_[size_t(row)];
  // What this session already read needs no second look; it is cut to size only for rows in sight.
  if (const auto known = changelogs_.constFind(qs(docKey(r.ns, r.name, r.latest)));
      known != changelogs_.cend()) {
    setChangelog(r, *known);
    emit dataChanged(index(row), index(row), changelogRoles());
    return;
  }
  r.changelog = Row::Changelog::loading;
  emit dataChanged(index(row), index(row), {ChangelogLoadingRole});
  fetch(docKey(r.ns, r.name, r.latest), r.ns, r.name, r.latest);
}

QCoro::Task<> UpdateReview::fetch(std::string key, std::string ns, std::string name, std::string version) {
  std::optional<std::string> markdown;
  try {
    auto job = background(this, [ns, name, version] {
      return Thunderstore::cachedDocument(Thunderstore::PackageDocument::changelog, ns, name, version);
    });
    markdown = co_await job;
  } catch (const Abandoned&) {
    co_return;
  }
  const QString text = qs(markdown.value_or(""));
  changelogs_.insert(qs(key), text);
  // The rows may have been made again meanwhile; those still waiting for it get it.
  for (size_t i = 0; i < rows_.size(); ++i) {
    Row& row = rows_[i];
    if (row.changelog == Row::Changelog::loaded || docKey(row.ns, row.name, row.latest) != key) continue;
    setChangelog(row, text);
    emit dataChanged(index(int(i)), index(int(i)), changelogRoles());
  }
}

bool UpdateReview::confirm() {
  if (parts_.window->sheet() != WindowState::Sheet::UpdateReview || !canConfirm()) return false;
  const Profile* p = parts_.book->selected();
  if (!p || p->id != profileID_ || !parts_.changes->canChange(p->id)) return false;
  std::vector<std::string> keys, holds;
  for (const Row& row : rows_) {
    const std::string what = row.key + " " + row.installed + " → " + row.latest;
    if (row.held) {
      holds.push_back(row.key);
      Log::write("update review: held " + row.key + " at " + row.installed);
    } else if (row.ticked) {
      keys.push_back(row.key);
      Log::write("update review: updating " + what);
    } else {
      Log::write("update review: skipped " + what);
    }
  }
  parts_.window->close(WindowState::Sheet::UpdateReview);
  parts_.mods->updateReviewed(std::move(keys), holds);
  return true;
}

void UpdateReview::updateOne(const ModItem& item) {
  const QString key = qs(item.mod.id());
  if (asking_.contains(key)) return;  // a second click while the first one looks
  asking_.insert(key);
  updateOneTask(item);
}

QCoro::Task<> UpdateReview::updateOneTask(ModItem item) {
  const QString key = qs(item.mod.id());
  const Profile* p = parts_.book->selected();
  const ProfileMod* mod = p ? p->find(item.mod.id()) : nullptr;
  const TSPackage* pkg = mod ? parts_.statuses->catalogued(mod->ns, mod->name, *p) : nullptr;
  bool review = false;
  if (pkg && mod->installed &&
      parts_.statuses->status(*mod, *p, Installer::ProfileFiles::read(*p)) == ModStatus::UpdateAvailable) {
    const std::string installed = *mod->installed;
    const QString doc = qs(docKey(pkg->owner, pkg->name, pkg->latest));
    if (!changelogs_.contains(doc)) {
      std::optional<std::string> markdown;
      try {
        auto job = background(this, [ns = pkg->owner, name = pkg->name, version = pkg->latest] {
          return Thunderstore::cachedDocument(Thunderstore::PackageDocument::changelog, ns, name, version);
        });
        markdown = co_await job;
      } catch (const Abandoned&) {
        co_return;
      }
      changelogs_.insert(doc, qs(markdown.value_or("")));
    }
    review = !qs(Changelog::newerThan(ss(changelogs_.value(doc)), installed).markdown).trimmed().isEmpty();
  }
  asking_.remove(key);
  if (review && parts_.window->open(WindowState::Sheet::UpdateReview, key)) co_return;
  parts_.mods->update(item);
}
