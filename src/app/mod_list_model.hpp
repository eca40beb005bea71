#pragma once

#include <QAbstractListModel>

#include <QStringList>
#include <set>

#include <optional>
#include <vector>

#include "app/values.hpp"

// One group of the selected profile's mods (its explicit mods, or its dependencies) with their
// status and catalogue entry, sorted by display name ignoring case.
class ModListModel : public QAbstractListModel {
  Q_OBJECT
  Q_PROPERTY(int count READ count NOTIFY countChanged)

 public:
  struct Row {
    ProfileMod mod;
    ModStatus status = ModStatus::NotInstalled;
    std::optional<TSPackage> package;  // the catalogue entry, when the index knows the mod
    bool fromFile = false;  // installed from a zip file, not from the catalogue
    QStringList neededBy;  // the display names of the other mods that need it, in profile order
    QStringList neededByEnabled;  // those of them that are enabled
    std::optional<std::string> heldVersion;  // the version the player holds it at
    bool olderThanGame = false;  // its newest version predates the game's last update
    bool operator==(const Row&) const = default;
  };
  enum Role {
    ModRole = Qt::UserRole + 1,
    IdRole,
    NsRole,
    NameRole,
    DisplayNameRole,
    VersionRole,
    InstalledRole,
    EnabledRole,
    ExplicitRole,
    StatusRole,
    LatestRole,
    PackageRole,
    DeprecatedRole,
    IconRole,
    FromFileRole,
    BylineRole,  // "by Owner", and whether it was installed from a file
    RemoveBlockRole,  // why it cannot be removed ("Needed by PlanBuild"), or empty
    OffQuestionRole,  // what turning it off asks first, or empty when nothing enabled needs it
    HeldRole,  // the player holds it at a version: no update shows
    HeldVersionRole,  // that version, or empty
    PickedRole,  // the row is among the picked ones of the list
    NeededByLineRole,  // an automatic dependency's line: "Needed by PlanBuild", "Needed by 3 mods"
    OlderThanGameRole  // its newest version predates the game's last update
  };

  using QAbstractListModel::QAbstractListModel;

  // Sorts the rows; keeps the views' rows when the same mods come back in the same order.
  void setRows(std::vector<Row> rows);
  const std::vector<Row>& rows() const { return rows_; }
  // What turning the mod `key` off asks first ("PlanBuild needs Jotunn. Turn Jotunn off anyway?"):
  // empty when it is not here, is off already or nothing enabled needs it.
  QString offQuestion(const std::string& key) const;
  int count() const { return int(rows_.size()); }
  // Marks the rows whose mod key is in `keys` as picked; tells only of the rows that changed.
  void setPicked(const std::set<std::string>& keys);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

 signals:
  void countChanged();

 private:
  // The roles whose values differ between two rows of the same mod.
  static QList<int> changedRoles(const Row& was, const Row& now);

  std::vector<Row> rows_;
  std::set<std::string> picked_;
};
