#pragma once

#include <QAbstractListModel>

#include <vector>

#include "history/history.hpp"

// The selected profile's snapshots, newest first, as the History sheet lists them.
class HistoryListModel : public QAbstractListModel {
  Q_OBJECT
  Q_PROPERTY(int count READ count NOTIFY countChanged)

 public:
  enum Role { SnapshotIDRole = Qt::UserRole + 1, TimeRole, DescriptionRole, SummaryRole, DamagedRole };

  using QAbstractListModel::QAbstractListModel;

  void setRows(std::vector<History::SnapshotInfo> rows);
  const std::vector<History::SnapshotInfo>& rows() const { return rows_; }
  // The row of the snapshot with this id, or null.
  const History::SnapshotInfo* find(const std::string& id) const;
  int count() const { return int(rows_.size()); }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

 signals:
  void countChanged();

 private:
  std::vector<History::SnapshotInfo> rows_;
};
