#pragma once

#include <QAbstractListModel>
#include <QCoroTask>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

#include "app/values.hpp"
#include "catalogue/changelog.hpp"
#include "installer/dependency.hpp"

class CatalogueState;
class ModController;
class ModStatuses;
class ProfileBook;
class ProfileChanges;
class WindowState;

// The update review: one row per update of the selected profile, each ticked to go ahead, or held
// where it is, with what its changelog says since the installed version. The rows are made when the
// window shows the review sheet (all updates, or only the mod whose key is the sheet's payload) and
// dropped when it closes; confirming runs what the player chose as one change.
class UpdateReview : public QAbstractListModel {
  Q_OBJECT
  Q_PROPERTY(int count READ count NOTIFY countChanged)
  // "Update 5 Mods — 48 MB": what confirming does; canConfirm is false when nothing is ticked.
  Q_PROPERTY(QString confirmText READ confirmText NOTIFY choicesChanged)
  Q_PROPERTY(bool canConfirm READ canConfirm NOTIFY choicesChanged)
  // The packages the ticked updates bring that the profile does not have yet, by name.
  Q_PROPERTY(QStringList newDependencies READ newDependencies NOTIFY choicesChanged)

 public:
  enum Role {
    KeyRole = Qt::UserRole + 1,
    NameRole,
    InstalledRole,
    LatestRole,
    ReleasedRole,  // a QDateTime; invalid when the catalogue gives no date
    SizeRole,  // "3.2 MB", or empty when unknown
    TickedRole,
    HeldRole,
    ChangelogLoadingRole,
    ChangelogRole,  // what is newer than the installed version; empty when there is no changelog
    ChangelogCutRole,  // older sections were left out, so "Show All" has more
    WholeChangelogRole,
  };
  Q_ENUM(Role)

  struct Parts {
    ProfileBook* book;
    ModStatuses* statuses;
    CatalogueState* catalogue;
    ProfileChanges* changes;
    ModController* mods;
    WindowState* window;
  };
  explicit UpdateReview(Parts parts, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

  int count() const { return int(rows_.size()); }
  QString confirmText() const;
  bool canConfirm() const;
  QStringList newDependencies() const { return newDependencies_; }

  Q_INVOKABLE void setTicked(int row, bool ticked);
  // A held row is kept at its installed version when the review is confirmed; Cancel forgets it.
  Q_INVOKABLE void setHeld(int row, bool held);
  // Fetches the row's changelog, once; the view asks as rows come into sight.
  Q_INVOKABLE void loadChangelog(int row);
  // Updates the ticked rows, holds the held ones and closes the sheet; false when there is
  // nothing to do or the profile can't change now.
  Q_INVOKABLE bool confirm();
  // A single mod's Update: the review opens for it when its changelog says what changed since the
  // installed version; otherwise the mod updates at once.
  Q_INVOKABLE void updateOne(const ModItem& mod);

 signals:
  void countChanged();
  void choicesChanged();

 private:
  struct Row {
    std::string key, ns, name;
    QString displayName;
    std::string installed, latest;
    QDateTime released;
    int64_t size = 0;
    std::vector<DependencyRef> needs;  // of the new version
    bool ticked = true;
    bool held = false;
    enum class Changelog { unasked, loading, loaded } changelog = Changelog::unasked;
    QString whole;
    ::Changelog::Slice slice;
  };

  void sheetChanged();
  void fill();
  void clear();
  void recount();
  void setChangelog(Row& row, const QString& markdown);
  static QList<int> changelogRoles();
  QCoro::Task<> fetch(std::string docKey, std::string ns, std::string name, std::string version);
  QCoro::Task<> updateOneTask(ModItem mod);
  static std::string docKey(const std::string& ns, const std::string& name, const std::string& version);

  Parts parts_;
  std::string profileID_;  // the profile the rows are of
  std::vector<Row> rows_;
  QStringList newDependencies_;
  QHash<QString, QString> changelogs_;  // by "Owner-Name-1.2.3", for the session: "" when none
  QSet<QString> asking_;  // single updates waiting for their changelog, by mod key
};
