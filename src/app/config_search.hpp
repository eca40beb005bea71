#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

#include "app/config_models.hpp"

// The settings sheet's search through every setting of the profile's config files.
class ConfigSearch : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
  Q_PROPERTY(bool searching READ searching NOTIFY searchingChanged)
  Q_PROPERTY(ConfigMatchModel* matches READ matches CONSTANT)

 public:
  // Searches the files `files` lists.
  explicit ConfigSearch(const ConfigFileListModel* files, QObject* parent = nullptr);

  QString query() const { return query_; }
  void setQuery(const QString& query);
  bool searching() const { return searching_; }
  ConfigMatchModel* matches() const { return matches_; }

  // The list of files changed: a search with a query runs again over them.
  void rerun();
  // Another folder: its files have no matches yet.
  void clear();

 signals:
  void queryChanged();
  void searchingChanged();

 private:
  QCoro::Task<> searchTask(QString query);

  const ConfigFileListModel* files_;
  ConfigMatchModel* matches_;
  QString query_;
  bool searching_ = false;
  unsigned generation_ = 0;  // a newer search replaces an older one still running
};
