#pragma once

#include <QAbstractListModel>
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "profiles/config_file.hpp"
#include "profiles/config_folder.hpp"

// The config folder's files as the settings sheet lists them, narrowed by a filter on title and name.
class ConfigFileListModel : public QAbstractListModel {
  Q_OBJECT
  Q_PROPERTY(QString filter READ filter WRITE setFilter NOTIFY filterChanged)
  Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
  Q_PROPERTY(int total READ total NOTIFY countChanged)

 public:
  enum Role { TitleRole = Qt::UserRole + 1, RelativeRole, PathRole, SettingsRole };
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

  const std::vector<ConfigFileInfo>& all() const { return files_; }
  int total() const { return int(files_.size()); }
  void setFiles(std::vector<ConfigFileInfo> files);
  const ConfigFileInfo* find(const QString& path) const;
  QString filter() const { return filter_; }
  void setFilter(const QString& filter);

 signals:
  void filterChanged();
  void countChanged();

 private:
  void refilter();
  std::vector<ConfigFileInfo> files_;
  std::vector<size_t> shown_;
  QString filter_;
};

// The settings of the open settings file, in file order, with the control each one is edited with.
// It holds the file being edited and the values it was opened with.
class ConfigEntryModel : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role {
    SectionRole = Qt::UserRole + 1,
    KeyRole,
    ValueRole,
    DescriptionRole,
    TypeRole,
    ControlRole,
    MinRole,
    MaxRole,
    WholeRole,
    ChoicesRole,
    PartsRole,
    DefaultRole,
    HasDefaultRole,
    IsDefaultRole,
    ChangedRole
  };
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

  void setFile(std::optional<ConfigFile> file);
  const std::optional<ConfigFile>& file() const { return file_; }
  const ConfigEntry* entry(int row) const;
  void setValue(int row, const std::string& value);
  // The values now on disk, as they were when the save began (edits made since stay changes).
  void markSaved(std::vector<std::string> values);
  std::vector<std::string> values() const;
  // Whether any value differs from the one the file was opened with.
  bool changed() const { return changed_ > 0; }
  // The row of the entry on `line` of the file, or -1.
  int rowOfLine(size_t line) const;

 private:
  std::optional<ConfigFile> file_;
  std::vector<std::string> original_;
  int changed_ = 0;
};

// What a search through every settings file found.
class ConfigMatchModel : public QAbstractListModel {
  Q_OBJECT
  Q_PROPERTY(int count READ rowCount NOTIFY countChanged)

 public:
  enum Role { TitleRole = Qt::UserRole + 1, SectionRole, KeyRole, ValueRole, DescriptionRole };
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

  void setMatches(std::vector<ConfigFileInfo> files, std::vector<ConfigMatch> matches);
  const ConfigMatch* matchAt(int row) const;
  const ConfigFileInfo& fileOf(const ConfigMatch& m) const { return files_[m.file]; }

 signals:
  void countChanged();

 private:
  std::vector<ConfigFileInfo> files_;
  std::vector<ConfigMatch> matches_;
};
