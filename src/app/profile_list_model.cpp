#include "app/profile_list_model.hpp"

#include <algorithm>

#include "app/values.hpp"

ProfileListModel::ProfileListModel(UpdateCount updateCount, QObject* parent)
    : QAbstractListModel(parent), updateCount_(std::move(updateCount)) {}

int ProfileListModel::countOf(const Profile& profile, int was) const {
  return updateCount_(profile).value_or(was);
}

void ProfileListModel::reset(std::vector<Profile> profiles) {
  beginResetModel();
  items_ = std::move(profiles);
  updateCounts_.clear();
  for (const Profile& p : items_) updateCounts_.push_back(countOf(p, 0));
  endResetModel();
  emit countChanged();
}

void ProfileListModel::append(Profile profile) {
  beginInsertRows({}, count(), count());
  updateCounts_.push_back(countOf(profile, 0));
  items_.push_back(std::move(profile));
  endInsertRows();
  emit countChanged();
}

bool ProfileListModel::replace(const Profile& profile) {
  auto it = std::find_if(items_.begin(), items_.end(), [&](const Profile& p) { return p.id == profile.id; });
  if (it == items_.end()) return false;
  const auto at = size_t(it - items_.begin());
  // The row hears only of what changed: the record itself always does.
  QList<int> roles{ProfileRole};
  if (it->name != profile.name) roles << NameRole << Qt::DisplayRole;
  if (it->mods.size() != profile.mods.size() || explicitModCount(*it) != explicitModCount(profile))
    roles << ModCountRole << DependencyCountRole;
  const int count = countOf(profile, updateCounts_[at]);
  if (count != updateCounts_[at]) roles << UpdateCountRole;
  *it = profile;
  updateCounts_[at] = count;
  auto row = index(int(at));
  emit dataChanged(row, row, roles);
  return true;
}

void ProfileListModel::removeAll(const std::string& id) {
  for (int row = count() - 1; row >= 0; --row) {
    if (items_[row].id != id) continue;
    beginRemoveRows({}, row, row);
    items_.erase(items_.begin() + row);
    updateCounts_.erase(updateCounts_.begin() + row);
    endRemoveRows();
  }
  emit countChanged();
}

void ProfileListModel::refreshCounts() {
  for (size_t i = 0; i < items_.size(); ++i) updateCounts_[i] = countOf(items_[i], updateCounts_[i]);
  if (!items_.empty()) emit dataChanged(index(0), index(count() - 1), {UpdateCountRole});
}

void ProfileListModel::setUpdateCount(const std::string& id, int count) {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].id == id && updateCounts_[i] != count) {
      updateCounts_[i] = count;
      emit dataChanged(index(int(i)), index(int(i)), {UpdateCountRole});
    }
}

int ProfileListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant ProfileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count()) return {};
  const Profile& p = items_[index.row()];
  switch (role) {
    case IdRole: return qs(p.id);
    case Qt::DisplayRole:
    case NameRole: return qs(p.name);
    case ModCountRole: return explicitModCount(p);
    case DependencyCountRole: return int(p.mods.size()) - explicitModCount(p);
    case UpdateCountRole: return updateCounts_[size_t(index.row())];
    case ProfileRole: return QVariant::fromValue(ProfileItem(p));
    default: return {};
  }
}

QHash<int, QByteArray> ProfileListModel::roleNames() const {
  return {{IdRole, "profileID"},
          {NameRole, "name"},
          {ModCountRole, "modCount"},
          {DependencyCountRole, "dependencyCount"},
          {UpdateCountRole, "updateCount"},
          {ProfileRole, "profile"}};
}
