#include "app/profile_list_model.hpp"

#include <algorithm>

#include "app/values.hpp"

ProfileListModel::ProfileListModel(std::function<int(const Profile&)> updateCount, QObject* parent)
    : QAbstractListModel(parent), updateCount_(std::move(updateCount)) {}

void ProfileListModel::reset(std::vector<Profile> profiles) {
  beginResetModel();
  items_ = std::move(profiles);
  updateCounts_.clear();
  for (const Profile& p : items_) updateCounts_.push_back(updateCount_(p));
  endResetModel();
  emit countChanged();
}

void ProfileListModel::append(Profile profile) {
  beginInsertRows({}, count(), count());
  updateCounts_.push_back(updateCount_(profile));
  items_.push_back(std::move(profile));
  endInsertRows();
  emit countChanged();
}

bool ProfileListModel::replace(const Profile& profile) {
  auto it = std::find_if(items_.begin(), items_.end(), [&](const Profile& p) { return p.id == profile.id; });
  if (it == items_.end()) return false;
  *it = profile;
  const auto at = size_t(it - items_.begin());
  updateCounts_[at] = updateCount_(profile);
  auto row = index(int(at));
  emit dataChanged(row, row);
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
  for (size_t i = 0; i < items_.size(); ++i) updateCounts_[i] = updateCount_(items_[i]);
  if (!items_.empty()) emit dataChanged(index(0), index(count() - 1), {UpdateCountRole});
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
