#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QVariantList>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/history_list_model.hpp"
#include "history/history.hpp"

class Activity;
class GameState;

// The selected profile's history as the History sheet and the Undo command show it. Every read of
// the history runs on a worker; a newer refresh makes the results of an older one stale.
//
// In QML, `selectedID` and `missing` are empty strings when absent.
class ProfileHistory : public QObject {
  Q_OBJECT
  Q_PROPERTY(HistoryListModel* entries READ entries CONSTANT)
  Q_PROPERTY(QString selectedID READ selectedID WRITE setSelectedID NOTIFY selectionChanged)
  Q_PROPERTY(QVariantList changes READ changes NOTIFY selectionChanged)
  Q_PROPERTY(QString missing READ missing NOTIFY selectionChanged)
  Q_PROPERTY(bool canRestore READ canRestore NOTIFY selectionChanged)
  Q_PROPERTY(QString undoText READ undoText NOTIFY undoChanged)
  Q_PROPERTY(bool canUndo READ canUndo NOTIFY undoChanged)
  Q_PROPERTY(bool loading READ loading NOTIFY loadingChanged)

 public:
  // Whether the version of the mod with this key can be installed without its snapshot's help.
  using Obtainable = std::function<bool(const std::string& key, const std::string& version)>;

  // `profileDir` gives the selected profile's folder, empty when none is selected.
  ProfileHistory(Activity* activity, GameState* game, std::function<std::filesystem::path()> profileDir,
                 Obtainable obtainable, QObject* parent = nullptr);

  HistoryListModel* entries() const { return entries_; }
  QString selectedID() const { return selectedID_; }
  void setSelectedID(const QString& id);
  QVariantList changes() const { return changes_; }
  QString missing() const { return missing_; }
  bool canRestore() const;
  QString undoText() const;
  bool canUndo() const;
  bool loading() const { return loading_; }

  // Whether the sheet is shown: only then is the whole list read.
  void setListed(bool listed);
  // Reads the history again after a change; keeps the selected row while it is still listed.
  void refresh();
  // Another profile is selected: the selection goes, and its history is read.
  void profileChanged();

 signals:
  void selectionChanged();
  void undoChanged();
  void loadingChanged();

 private:
  QCoro::Task<> refreshTask(std::filesystem::path dir, bool listed);
  QCoro::Task<> selectTask(std::filesystem::path dir, std::string id);
  void setLoading(bool on);
  void clearSelection();

  Activity* activity_;
  GameState* game_;
  std::function<std::filesystem::path()> profileDir_;
  Obtainable obtainable_;
  HistoryListModel* entries_;
  bool listed_ = false;
  bool loading_ = false;
  // Count refreshes and selections: the result of an older one is dropped.
  unsigned listGeneration_ = 0, selectGeneration_ = 0;
  std::optional<History::SnapshotInfo> newest_;
  QString selectedID_;
  bool selectionLoaded_ = false;
  QVariantList changes_;
  QString missing_;
};
