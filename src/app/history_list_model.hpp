#pragma once

#include <QAbstractListModel>

#include <vector>

#include "history/history.hpp"

// The selected profile's snapshots, newest first, as the History sheet lists them; the first row,
// without an id, can stand for the profile as it is now.
class HistoryListModel : public QAbstractListModel {
  Q_OBJECT
  Q_PROPERTY(int count READ count NOTIFY countChanged)

 public:
  enum Role {
    SnapshotIDRole = Qt::UserRole + 1,
    TimeRole,
    DescriptionRole,
    StateRole,  // "Before you removed ValheimPlus"
    SummaryRole,
    DamagedRole,
    NowRole  // the state the profile is in
  };

  using QAbstractListModel::QAbstractListModel;

  void setRows(std::vector<History::SnapshotInfo> rows);
  const std::vector<History::SnapshotInfo>& rows() const { return rows_; }
  // The row of the snapshot with this id, or null.
  const History::SnapshotInfo* find(const std::string& id) const;
  // The row of the snapshot with this id, or -1 (also for an empty id).
  Q_INVOKABLE int indexOf(const QString& id) const;
  int count() const { return int(rows_.size()); }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

 signals:
  void countChanged();

 private:
  std::vector<History::SnapshotInfo> rows_;
};
