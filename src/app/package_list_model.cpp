#include "app/package_list_model.hpp"

#include <algorithm>
#include <set>

#include "app/values.hpp"
#include "foundation/loader_pack.hpp"

namespace {
const std::set<std::string> hiddenFromBrowse = {"ebkr-r2modman", "Kesomannen-GaleModManager",
                                                "BepInEx-BepInExPack", std::string(LoaderPack::id)};

// Players write a name as words or run together, with or without its "_" and "-".
QString withoutSeparators(QString s) {
  return s.remove(QLatin1Char(' ')).remove(QLatin1Char('_')).remove(QLatin1Char('-'));
}

struct Word {
  QString text, compact;  // lower-cased; compact without separators, empty when only separators
};

std::vector<Word> searchWords(const QString& query) {
  std::vector<Word> words;
  for (const QString& w : query.toLower().simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts))
    words.push_back({w, withoutSeparators(w)});
  return words;
}

// `texts` as PackageListModel keeps them: name, owner, description, display name, compact name.
bool matches(const std::array<QString, 5>& texts, const std::vector<Word>& words) {
  return std::all_of(words.begin(), words.end(), [&](const Word& w) {
    return std::any_of(texts.begin(), texts.begin() + 4,
                       [&](const QString& t) { return t.contains(w.text); }) ||
           (!w.compact.isEmpty() && texts[4].contains(w.compact));
  });
}
}  // namespace

void PackageListModel::setIndex(std::shared_ptr<const std::vector<TSPackage>> index) {
  index_ = std::move(index);
  lowered_.clear();
  lowered_.reserve(index_->size());
  std::set<QString> categories;
  for (const TSPackage& p : *index_) {
    const QString lowerName = qs(p.name).toLower();
    lowered_.push_back({lowerName, qs(p.owner).toLower(), qs(p.description).toLower(),
                        qs(p.displayName()).toLower(), withoutSeparators(lowerName)});
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
  limit_ = rowsPerPage;
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
  hiddenDeprecated_ = 0;
  if (index_) {
    // Every word of the query occurs in a text that holds the whole query, so a package the whole
    // query finds is still found word by word.
    const auto words = searchWords(query_);
    const std::string cat = ss(category_);
    const bool anyCategory = category_ == allCategories;
    for (size_t i = 0; i < index_->size(); ++i) {
      const TSPackage& p = (*index_)[i];
      if (p.nsfw) continue;
      if (p.name == LoaderPack::name || hiddenFromBrowse.count(p.fullName)) continue;
      if (!anyCategory && std::find(p.categories.begin(), p.categories.end(), cat) == p.categories.end())
        continue;
      if (!matches(lowered_[i], words)) continue;
      if (p.deprecated && !showDeprecated_) {
        ++hiddenDeprecated_;
        continue;
      }
      results_.push_back(i);
    }
    const auto& pk = *index_;
    auto by = [&](auto key) {
      std::stable_sort(results_.begin(), results_.end(), [&](size_t a, size_t b) { return key(a, b); });
    };
    switch (sort_) {
      case Downloads: by([&](size_t a, size_t b) { return pk[a].downloads > pk[b].downloads; }); break;
      case Updated: by([&](size_t a, size_t b) { return pk[a].updated > pk[b].updated; }); break;
      case Rating: by([&](size_t a, size_t b) { return pk[a].rating > pk[b].rating; }); break;
      case Name: by([&](size_t a, size_t b) { return lowered_[a][3] < lowered_[b][3]; }); break;
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
      return it == profileMods_.end() ? NotInProfile : it->second ? InProfile : AsDependency;
    }
    default: return {};
  }
}

QHash<int, QByteArray> PackageListModel::roleNames() const {
  return {{PackageRole, "entry"},     {FullNameRole, "fullName"},       {OwnerRole, "owner"},
          {NameRole, "name"},         {DisplayNameRole, "displayName"}, {DescriptionRole, "description"},
          {IconRole, "iconUrl"},      {LatestRole, "latest"},           {DownloadsRole, "downloads"},
          {RatingRole, "rating"},     {UpdatedRole, "updated"},         {DeprecatedRole, "deprecated"},
          {StateRole, "packageState"}};
}
