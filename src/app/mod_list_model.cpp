#include "app/mod_list_model.hpp"

#include <QCoreApplication>
#include <QUrl>

#include <algorithm>

#include "app/text.hpp"
#include "catalogue/thunderstore.hpp"
#include "installer/installer.hpp"

void ModListModel::setRows(std::vector<Row> rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    return qs(a.mod.displayName()).toLower() < qs(b.mod.displayName()).toLower();
  });
  bool sameMods = rows.size() == rows_.size() &&
                  std::equal(rows.begin(), rows.end(), rows_.begin(),
                             [](const Row& a, const Row& b) { return a.mod.id() == b.mod.id(); });
  if (!sameMods) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    emit countChanged();
    return;
  }
  // Each run of rows that changed alike is told of at once, naming only the roles that changed:
  // every delegate would otherwise re-read all of its roles.
  int first = 0;
  QList<int> runRoles;
  const auto tell = [&](int end) {
    if (!runRoles.isEmpty()) emit dataChanged(index(first), index(end - 1), runRoles);
  };
  for (int i = 0; i < count(); ++i) {
    QList<int> roles = changedRoles(rows_[size_t(i)], rows[size_t(i)]);
    if (!roles.isEmpty()) rows_[size_t(i)] = std::move(rows[size_t(i)]);
    if (roles == runRoles) continue;
    tell(i);
    first = i;
    runRoles = std::move(roles);
  }
  tell(count());
}

QList<int> ModListModel::changedRoles(const Row& was, const Row& now) {
  QList<int> roles;
  const auto add = [&roles](bool differs, std::initializer_list<int> these) {
    if (!differs) return;
    for (int role : these)
      if (!roles.contains(role)) roles.append(role);
  };
  const ProfileMod &a = was.mod, &b = now.mod;
  add(!(a == b), {ModRole});
  add(a.enabled != b.enabled, {EnabledRole, OffQuestionRole});
  add(a.version != b.version, {VersionRole, IconRole});
  add(a.installed != b.installed, {InstalledRole, IconRole});
  add(a.isExplicit != b.isExplicit, {ExplicitRole, NeededByLineRole});
  add(was.status != now.status, {StatusRole});
  add(was.package != now.package, {LatestRole, PackageRole, DeprecatedRole, IconRole});
  add(was.fromFile != now.fromFile, {FromFileRole, BylineRole, IconRole});
  add(was.neededBy != now.neededBy, {RemoveBlockRole, NeededByLineRole});
  add(was.neededByEnabled != now.neededByEnabled, {OffQuestionRole});
  add(was.heldVersion != now.heldVersion, {HeldRole, HeldVersionRole});
  add(was.olderThanGame != now.olderThanGame, {OlderThanGameRole});
  return roles;
}

void ModListModel::setPicked(const std::set<std::string>& keys) {
  std::vector<int> changed;
  for (int i = 0; i < count(); ++i) {
    const std::string key = rows_[size_t(i)].mod.id();
    if (bool(picked_.count(key)) != bool(keys.count(key))) changed.push_back(i);
  }
  picked_ = keys;  // before the views hear of it: they read the rows at once
  for (int i : changed) emit dataChanged(index(i), index(i), {PickedRole});
}

namespace {
QString offQuestion(const ModListModel::Row& row) {
  if (row.neededByEnabled.isEmpty() || !row.mod.enabled) return {};
  // The names decide the verb: "A needs", "A and B need".
  return QCoreApplication::translate("ModListModel", "%1 need %2. Turn %2 off anyway?", nullptr,
                                     int(row.neededByEnabled.size()))
      .arg(joinNames(row.neededByEnabled), qs(row.mod.displayName()));
}
}  // namespace

QString ModListModel::offQuestion(const std::string& key) const {
  const auto row = std::find_if(rows_.begin(), rows_.end(), [&](const Row& r) { return r.mod.id() == key; });
  return row == rows_.end() ? QString() : ::offQuestion(*row);
}

int ModListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

namespace {
// The catalogue's own icon when it is a usable address, else the icon CDN's address for the version.
QString iconFor(const ModListModel::Row& row) {
  if (row.fromFile) return {};  // its letter stands in: the catalogue has no icon for it
  if (row.package && QUrl(qs(row.package->icon)).isValid() && !row.package->icon.empty())
    return qs(row.package->icon);
  const ProfileMod& m = row.mod;
  return qs(Thunderstore::iconURL(m.ns, m.name, m.installed.value_or(m.version)));
}

// Who made it, and that it came from a file; a file that named no maker says only the latter.
QString bylineFor(const ModListModel::Row& row) {
  if (!row.fromFile) return QCoreApplication::translate("ModListModel", "by %1").arg(qs(row.mod.ns));
  if (row.mod.ns == Installer::unknownOwner)
    return QCoreApplication::translate("ModListModel", "Installed from a file");
  return QCoreApplication::translate("ModListModel", "by %1 · installed from a file").arg(qs(row.mod.ns));
}
}  // namespace

QVariant ModListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count()) return {};
  const Row& row = rows_[index.row()];
  const ProfileMod& m = row.mod;
  switch (role) {
    case ModRole: return QVariant::fromValue(ModItem(m));
    case IdRole: return qs(m.id());
    case NsRole: return qs(m.ns);
    case NameRole: return qs(m.name);
    case Qt::DisplayRole:
    case DisplayNameRole: return qs(m.displayName());
    case VersionRole: return qs(m.version);
    case InstalledRole: return qs(m.installed);
    case EnabledRole: return m.enabled;
    case ExplicitRole: return m.isExplicit;
    case StatusRole: return int(row.status);
    case LatestRole: return row.package ? qs(row.package->latest) : QString();
    case PackageRole: return row.package ? QVariant::fromValue(PackageItem(*row.package)) : QVariant();
    case DeprecatedRole: return row.package && row.package->deprecated;
    case FromFileRole: return row.fromFile;
    case BylineRole: return bylineFor(row);
    case IconRole: return iconFor(row);
    case RemoveBlockRole:
      return row.neededBy.isEmpty()
                 ? QString()
                 : QCoreApplication::translate("ModListModel", "Needed by %1").arg(joinNames(row.neededBy));
    case OffQuestionRole: return ::offQuestion(row);
    case HeldRole: return row.heldVersion.has_value();
    case HeldVersionRole: return qs(row.heldVersion);
    case PickedRole: return picked_.count(m.id()) > 0;
    case NeededByLineRole:
      if (m.isExplicit || row.neededBy.isEmpty()) return QString();
      return row.neededBy.size() > 2
                 ? QCoreApplication::translate("ModListModel", "Needed by %n mods", nullptr,
                                               int(row.neededBy.size()))
                 : QCoreApplication::translate("ModListModel", "Needed by %1").arg(joinNames(row.neededBy));
    case OlderThanGameRole: return row.olderThanGame;
    default: return {};
  }
}

QHash<int, QByteArray> ModListModel::roleNames() const {
  return {{ModRole, "mod"},
          {IdRole, "modID"},
          {NsRole, "ns"},
          {NameRole, "name"},
          {DisplayNameRole, "displayName"},
          {VersionRole, "version"},
          {InstalledRole, "installed"},
          {EnabledRole, "modEnabled"},
          {ExplicitRole, "isExplicit"},
          {StatusRole, "status"},
          {LatestRole, "latest"},
          {PackageRole, "entry"},
          {DeprecatedRole, "deprecated"},
          {FromFileRole, "fromFile"},
          {BylineRole, "byline"},
          {RemoveBlockRole, "removeBlock"},
          {OffQuestionRole, "offQuestion"},
          {HeldRole, "held"},
          {HeldVersionRole, "heldVersion"},
          {PickedRole, "picked"},
          {NeededByLineRole, "neededByLine"},
          {OlderThanGameRole, "olderThanGame"},
          {IconRole, "iconUrl"}};
}
