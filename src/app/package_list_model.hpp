#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue/package.hpp"

// The catalogue index as the browse pane lists it: filtered by the search text, category and the
// deprecated switch, sorted, and cut to the first `limit` results. Adult-content packages and the
// loader pack and mod managers are never listed. A package matches the search when every word of it
// occurs in its name, owner, description or display name; names are also compared without spaces,
// "_" and "-", so "plan build" finds PlanBuild and "valheim_plus" finds ValheimPlus.
class PackageListModel : public QAbstractListModel {
  Q_OBJECT
  Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY filterChanged)
  Q_PROPERTY(int sortOrder READ sortOrder WRITE setSortOrder NOTIFY filterChanged)
  Q_PROPERTY(QString category READ category WRITE setCategory NOTIFY filterChanged)
  Q_PROPERTY(bool showDeprecated READ showDeprecated WRITE setShowDeprecated NOTIFY filterChanged)
  Q_PROPERTY(int limit READ limit WRITE setLimit NOTIFY filterChanged)
  Q_PROPERTY(int pageSize READ pageSize CONSTANT)  // rows the list starts with, and adds each time
  Q_PROPERTY(int resultCount READ resultCount NOTIFY resultsChanged)  // all results, not only shown ones
  Q_PROPERTY(int total READ total NOTIFY resultsChanged)  // packages in the index
  // Deprecated packages that match everything else but the deprecated switch hides.
  Q_PROPERTY(int hiddenDeprecated READ hiddenDeprecated NOTIFY resultsChanged)
  Q_PROPERTY(QStringList categories READ categories NOTIFY resultsChanged)

 public:
  enum Sort { Downloads, Updated, Rating, Name };
  Q_ENUM(Sort)
  // A package's place in the selected profile: what its row and sheet offer.
  enum ProfileState { NotInProfile, InProfile, AsDependency };
  Q_ENUM(ProfileState)
  enum Role {
    PackageRole = Qt::UserRole + 1,
    FullNameRole,
    OwnerRole,
    NameRole,
    DisplayNameRole,
    DescriptionRole,
    IconRole,
    LatestRole,
    DownloadsRole,
    RatingRole,
    UpdatedRole,
    DeprecatedRole,
    StateRole
  };
  static constexpr int rowsPerPage = 100;
  static int pageSize() { return rowsPerPage; }
  static inline const QString allCategories = QStringLiteral("All categories");

  using QAbstractListModel::QAbstractListModel;

  void setIndex(std::shared_ptr<const std::vector<TSPackage>> index);
  // The selected profile's mods: key -> explicit. Drives each row's state.
  void setProfileMods(std::unordered_map<std::string, bool> mods);

  QString query() const { return query_; }
  void setQuery(const QString& query);  // also shows the first page again
  int sortOrder() const { return sort_; }
  void setSortOrder(int sort);
  QString category() const { return category_; }
  void setCategory(const QString& category);
  bool showDeprecated() const { return showDeprecated_; }
  void setShowDeprecated(bool on);
  int limit() const { return limit_; }
  void setLimit(int limit);  // rows come and go at the end: a list keeps its scroll position
  Q_INVOKABLE void showMore() { setLimit(limit_ + rowsPerPage); }

  int resultCount() const { return int(results_.size()); }
  int total() const { return index_ ? int(index_->size()) : 0; }
  int hiddenDeprecated() const { return hiddenDeprecated_; }
  QStringList categories() const { return categories_; }
  // The packages listed, in order (all results, beyond `limit` too).
  std::vector<const TSPackage*> results() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

 signals:
  void filterChanged();
  void resultsChanged();

 private:
  void refilter();

  std::shared_ptr<const std::vector<TSPackage>> index_;
  // Lower-cased name, owner, description, display name, and the name without separators.
  std::vector<std::array<QString, 5>> lowered_;
  std::vector<size_t> results_;
  int hiddenDeprecated_ = 0;
  QStringList categories_;
  std::unordered_map<std::string, bool> profileMods_;
  QString query_;
  int sort_ = Downloads;
  QString category_ = allCategories;
  bool showDeprecated_ = false;
  int limit_ = rowsPerPage;
};
