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
class ProfileQueue;

// The selected profile's history as the History sheet and the Undo and Redo commands show it. Every
// read of the history runs on a worker, as a read of the profile's queue; a newer refresh makes the
// results of an older one stale.
//
// In QML, `selectedID` and `missing` are empty strings when absent.
class ProfileHistory : public QObject {
  Q_OBJECT
  Q_PROPERTY(HistoryListModel* entries READ entries CONSTANT)
  Q_PROPERTY(QString selectedID READ selectedID WRITE setSelectedID NOTIFY selectionChanged)
  Q_PROPERTY(QVariantList changes READ changes NOTIFY selectionChanged)
  Q_PROPERTY(QString missing READ missing NOTIFY selectionChanged)
  Q_PROPERTY(bool canRestore READ canRestore NOTIFY selectionChanged)
  // What the confirmation of a restore of the selected snapshot says.
  Q_PROPERTY(QString restoreMessage READ restoreMessage NOTIFY selectionChanged)
  Q_PROPERTY(QString undoText READ undoText NOTIFY undoChanged)  // "Undo Remove ValheimPlus"
  Q_PROPERTY(bool canUndo READ canUndo NOTIFY undoChanged)
  Q_PROPERTY(QString redoText READ redoText NOTIFY undoChanged)  // "Redo Turn Off PlanBuild"
  Q_PROPERTY(bool canRedo READ canRedo NOTIFY undoChanged)
  Q_PROPERTY(bool loading READ loading NOTIFY loadingChanged)

 public:
  // Whether the version of the mod with this key can be installed without its snapshot's help.
  using Obtainable = std::function<bool(const std::string& key, const std::string& version)>;

  // `selected` gives the selected profile, null when none is; `canChange` whether it can be changed now
  // (it follows the activity and the queue).
  ProfileHistory(Activity* activity, GameState* game, ProfileQueue* queue,
                 std::function<const Profile*()> selected, std::function<bool()> canChange,
                 Obtainable obtainable, QObject* parent = nullptr);

  HistoryListModel* entries() const { return entries_; }
  QString selectedID() const { return selectedID_; }
  void setSelectedID(const QString& id);
  QVariantList changes() const { return changes_; }
  QString missing() const { return missing_; }
  bool canRestore() const;
  QString restoreMessage() const;
  QString undoText() const;
  bool canUndo() const;
  QString redoText() const;
  bool canRedo() const;
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
  QCoro::Task<> refreshTask(std::string profileID, std::filesystem::path dir, bool listed);
  QCoro::Task<> selectTask(std::string profileID, std::filesystem::path dir, std::string id);
  void setLoading(bool on);
  void clearSelection();

  GameState* game_;
  ProfileQueue* queue_;
  std::function<const Profile*()> selected_;
  std::function<bool()> canChange_;
  Obtainable obtainable_;
  HistoryListModel* entries_;
  bool listed_ = false;
  bool loading_ = false;
  // Count refreshes and selections: the result of an older one is dropped.
  unsigned listGeneration_ = 0, selectGeneration_ = 0;
  History::Steps steps_;
  QString selectedID_;
  bool selectionLoaded_ = false;
  QVariantList changes_;
  QString missing_;
};
