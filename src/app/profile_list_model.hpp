#pragma once

#include <QAbstractListModel>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "profiles/profile.hpp"

// The profiles in sidebar order. AppState keeps its list of profiles here and changes it only
// through the calls below, so the views see row-level changes.
class ProfileListModel : public QAbstractListModel {
  Q_OBJECT
  Q_PROPERTY(int count READ count NOTIFY countChanged)

 public:
  enum Role {
    IdRole = Qt::UserRole + 1,
    NameRole,
    ModCountRole,
    DependencyCountRole,
    UpdateCountRole,
    ProfileRole
  };

  // `updateCount` answers the sidebar's update badge for a profile. None leaves the row's badge as
  // it is: that profile's count comes through setUpdateCount.
  using UpdateCount = std::function<std::optional<int>(const Profile&)>;
  explicit ProfileListModel(UpdateCount updateCount, QObject* parent = nullptr);

  const std::vector<Profile>& items() const { return items_; }
  int count() const { return int(items_.size()); }

  void reset(std::vector<Profile> profiles);
  void append(Profile profile);
  // Replaces the first profile with the same id; false when there is none.
  bool replace(const Profile& profile);
  void removeAll(const std::string& id);
  // The update counts depend on the catalogue index and the holds: recompute every row's.
  void refreshCounts();
  void setUpdateCount(const std::string& id, int count);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

 signals:
  void countChanged();

 private:
  // The row's badge as `updateCount_` answers it, or as it was.
  int countOf(const Profile& profile, int was) const;

  UpdateCount updateCount_;
  std::vector<Profile> items_;
  std::vector<int> updateCounts_;  // one per item
};
