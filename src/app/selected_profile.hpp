#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QVariant>

#include <filesystem>
#include <optional>
#include <string>

#include "app/mod_list_model.hpp"
#include "app/values.hpp"
#include "installer/game_build.hpp"

class CatalogueState;
class ModStatuses;
class ProfileBook;
class ProfileChanges;

// What the window shows of the selected profile, worked out once per change in one walk of its
// mods: the rows of its mods and of their automatic dependencies, the counts the footer and the
// toolbar read, and whether it can change now. No getter reads a file.
class SelectedProfile : public QObject {
  Q_OBJECT
  // The selected profile's record (a ProfileItem), or null.
  Q_PROPERTY(QVariant profile READ profile NOTIFY profileChanged)
  Q_PROPERTY(int index READ index NOTIFY indexChanged)  // in the sidebar; -1 when none
  Q_PROPERTY(int needsInstall READ needsInstall NOTIFY needsInstallChanged)
  Q_PROPERTY(int updates READ updates NOTIFY updatesChanged)
  Q_PROPERTY(int heldUpdates READ heldUpdates NOTIFY heldUpdatesChanged)
  Q_PROPERTY(int packStatus READ packStatus NOTIFY packStatusChanged)  // a ModStatus
  // No change of the profile runs or waits, and none is refused for another reason.
  Q_PROPERTY(bool canChange READ canChange NOTIFY canChangeChanged)
  Q_PROPERTY(ModListModel* mods READ mods CONSTANT)  // the explicit mods
  Q_PROPERTY(ModListModel* dependencies READ dependencies CONSTANT)  // the automatic ones

 public:
  struct Parts {
    ProfileBook* book;
    ModStatuses* statuses;
    CatalogueState* catalogue;
    ProfileChanges* changes;
  };
  explicit SelectedProfile(Parts parts, QObject* parent = nullptr);

  QVariant profile() const { return values_.profile; }
  int index() const { return values_.index; }
  int needsInstall() const { return values_.needsInstall; }
  int updates() const { return values_.updates; }
  int heldUpdates() const { return values_.heldUpdates; }
  int packStatus() const { return int(values_.pack); }
  bool canChange() const { return values_.canChange; }
  ModListModel* mods() const { return mods_; }
  ModListModel* dependencies() const { return dependencies_; }

  // What turning the mod off asks first, the same wherever it is turned off; empty when nothing asks.
  QString offQuestion(const std::string& key) const;
  // Why the mod with this key is here, for its sheet: "neededBy", the mods that need it directly or
  // through others ("key", "name"), and "needs", one map per dependency of its own with "key",
  // "name", "version" (as installed, or empty when it is missing) and "enabled".
  Q_INVOKABLE QVariantMap relations(const QString& key) const;

  // Walks the selected profile again and tells of what changed.
  void refresh();
  // What the game's app manifest says (none when it cannot be read): rows of mods with no version
  // since the game's last update say so. Read from `gameDir` on a worker, or told after a read.
  void readGame(std::filesystem::path gameDir);
  void setGameBuild(const std::optional<GameBuild>& build);
  void refreshCanChange();

 signals:
  void profileChanged();
  void indexChanged();
  void needsInstallChanged();
  void updatesChanged();
  void heldUpdatesChanged();
  void packStatusChanged();
  void canChangeChanged();
  // Any of the above may have changed (the footer's lines and Play depend on several).
  void changed();

 private:
  struct Values {
    QVariant profile;  // made once per change: every binding that reads it shares it
    int index = -1;
    int needsInstall = 0, updates = 0, heldUpdates = 0;
    ModStatus pack = ModStatus::NotInstalled;
    bool canChange = false;
  };

  QCoro::Task<> readGameTask(std::filesystem::path gameDir);

  Parts parts_;
  std::optional<Date> gameUpdated_;  // when the game was last updated, with a known build
  unsigned gameReads_ = 0;  // a newer read makes an older one's result stale
  ModListModel* mods_;
  ModListModel* dependencies_;
  Values values_;
};
