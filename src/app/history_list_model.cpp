#include "app/history_list_model.hpp"

#include <algorithm>

#include "app/history_texts.hpp"
#include "app/values.hpp"

void HistoryListModel::setRows(std::vector<History::SnapshotInfo> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
  emit countChanged();
}

const History::SnapshotInfo* HistoryListModel::find(const std::string& id) const {
  for (const auto& row : rows_)
    if (row.id == id) return &row;
  return nullptr;
}

int HistoryListModel::indexOf(const QString& id) const {
  const History::SnapshotInfo* row = id.isEmpty() ? nullptr : find(ss(id));
  return row ? int(row - rows_.data()) : -1;
}

int HistoryListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant HistoryListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count()) return {};
  const History::SnapshotInfo& row = rows_[size_t(index.row())];
  switch (role) {
    case SnapshotIDRole: return qs(row.id);
    // Times are kept to the second, so a snapshot just taken can read as a moment ahead of now.
    case TimeRole: return std::min(qdate(row.time), QDateTime::currentDateTimeUtc());
    case DescriptionRole: return qs(row.description);
    case StateRole: return HistoryTexts::stateText(row);
    case SummaryRole: return row.damaged || row.now ? QString() : HistoryTexts::counts(row.changes);
    case DamagedRole: return row.damaged;
    case NowRole: return row.now;
    default: return {};
  }
}

QHash<int, QByteArray> HistoryListModel::roleNames() const {
  return {{SnapshotIDRole, "snapshotID"},
          {TimeRole, "time"},
          {DescriptionRole, "description"},
          {StateRole, "stateText"},
          {SummaryRole, "summary"},
          {DamagedRole, "damaged"},
          {NowRole, "now"}};
}
