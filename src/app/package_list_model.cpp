#include "app/package_list_model.hpp"

#include <algorithm>
#include <set>

#include "app/text.hpp"
#include "app/values.hpp"
#include "foundation/loader_pack.hpp"

namespace {
const std::set<std::string> hiddenFromBrowse = {"ebkr-r2modman", "Kesomannen-GaleModManager",
                                                "BepInEx-BepInExPack", std::string(LoaderPack::id)};
}  // namespace

void PackageListModel::setIndex(std::shared_ptr<const std::vector<TSPackage>> index) {
  index_ = std::move(index);
  lowered_.clear();
  lowered_.reserve(index_->size());
  std::set<QString> categories;
  for (const TSPackage& p : *index_) {
    lowered_.push_back({qs(p.name).toLower(), qs(p.owner).toLower(), qs(p.description).toLower(),
                        qs(p.displayName()).toLower()});
    for (const auto& c : p.categories) categories.insert(qs(c));
  }
  // QString's ordering is by UTF-16 code unit: the plain character-code order the menu wants.
  categories_ = QStringList{allCategories};
  for (const auto& c : categories) categories_.append(c);
  refilter();
}

void PackageListModel::setProfileMods(std::unordered_map<std::string, bool> mods) {
  if (mods == profileMods_) return;
  profileMods_ = std::move(mods);
  if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1), {StateRole});
}

void PackageListModel::setQuery(const QString& query) {
  if (query == query_) return;
  query_ = query;
  limit_ = pageSize;
  refilter();
}

void PackageListModel::setSortOrder(int sort) {
  if (sort == sort_) return;
  sort_ = sort;
  refilter();
}

void PackageListModel::setCategory(const QString& category) {
  if (category == category_) return;
  category_ = category;
  refilter();
}

void PackageListModel::setShowDeprecated(bool on) {
  if (on == showDeprecated_) return;
  showDeprecated_ = on;
  refilter();
}

void PackageListModel::setLimit(int limit) {
  if (limit == limit_) return;
  const int before = rowCount(), after = std::min(int(results_.size()), limit);
  if (after > before) beginInsertRows({}, before, after - 1);
  if (after < before) beginRemoveRows({}, after, before - 1);
  limit_ = limit;
  if (after > before) endInsertRows();
  if (after < before) endRemoveRows();
  emit filterChanged();
}

void PackageListModel::refilter() {
  beginResetModel();
  results_.clear();
  if (index_) {
    const QString needle = trimSpacesAndTabs(query_).toLower();
    const std::string cat = ss(category_);
    const bool anyCategory = category_ == allCategories;
    for (size_t i = 0; i < index_->size(); ++i) {
      const TSPackage& p = (*index_)[i];
      if (p.nsfw || (p.deprecated && !showDeprecated_)) continue;
      if (p.name == LoaderPack::name || hiddenFromBrowse.count(p.fullName)) continue;
      if (!anyCategory && std::find(p.categories.begin(), p.categories.end(), cat) == p.categories.end())
        continue;
      if (!needle.isEmpty() && std::none_of(lowered_[i].begin(), lowered_[i].end(),
                                            [&](const QString& text) { return text.contains(needle); }))
        continue;
      results_.push_back(i);
    }
    const auto& pk = *index_;
    auto by = [&](auto key) {
      std::stable_sort(results_.begin(), results_.end(), [&](size_t a, size_t b) { return key(a, b); });
    };
    switch (sort_) {
      case downloads: by([&](size_t a, size_t b) { return pk[a].downloads > pk[b].downloads; }); break;
      case updated: by([&](size_t a, size_t b) { return pk[a].updated > pk[b].updated; }); break;
      case rating: by([&](size_t a, size_t b) { return pk[a].rating > pk[b].rating; }); break;
      case name: by([&](size_t a, size_t b) { return lowered_[a][3] < lowered_[b][3]; }); break;
    }
  }
  endResetModel();
  emit filterChanged();
  emit resultsChanged();
}

std::vector<const TSPackage*> PackageListModel::results() const {
  std::vector<const TSPackage*> out;
  for (size_t i : results_) out.push_back(&(*index_)[i]);
  return out;
}

int PackageListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::min(int(results_.size()), limit_);
}

QVariant PackageListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const TSPackage& p = (*index_)[results_[index.row()]];
  switch (role) {
    case PackageRole: return QVariant::fromValue(PackageItem(p));
    case FullNameRole: return qs(p.fullName);
    case OwnerRole: return qs(p.owner);
    case NameRole: return qs(p.name);
    case Qt::DisplayRole:
    case DisplayNameRole: return qs(p.displayName());
    case DescriptionRole: return qs(p.description);
    case IconRole: return qs(p.icon);
    case LatestRole: return qs(p.latest);
    case DownloadsRole: return qint64(p.downloads);
    case RatingRole: return qint64(p.rating);
    case UpdatedRole: return qdate(p.updated);
    case DeprecatedRole: return p.deprecated;
    case StateRole: {
      auto it = profileMods_.find(p.fullName);
      return it == profileMods_.end() ? notInProfile : it->second ? inProfile : asDependency;
    }
    default: return {};
  }
}

QHash<int, QByteArray> PackageListModel::roleNames() const {
  return {{PackageRole, "package"}, {FullNameRole, "fullName"},       {OwnerRole, "owner"},
          {NameRole, "name"},       {DisplayNameRole, "displayName"}, {DescriptionRole, "description"},
          {IconRole, "icon"},       {LatestRole, "latest"},           {DownloadsRole, "downloads"},
          {RatingRole, "rating"},   {UpdatedRole, "updated"},         {DeprecatedRole, "deprecated"},
          {StateRole, "state"}};
}
