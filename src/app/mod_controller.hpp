#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QUrl>

#include <filesystem>
#include <string>
#include <vector>

#include "app/values.hpp"
#include "profiles/holds.hpp"

class Activity;
class CatalogueState;
class GameState;
class ModStatuses;
class ProfileBook;
class ProfileChanges;
class ProfileSync;

// The player's commands on the selected profile's mods: adding, removing, turning on and off,
// updating, holding, installing from a file, and stepping through its history. Each runs as one
// change of the profile.
class ModController : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    ProfileBook* book;
    Activity* activity;
    CatalogueState* catalogue;
    GameState* game;
    ModStatuses* statuses;
    ProfileChanges* changes;
    ProfileSync* sync;
  };
  explicit ModController(Parts parts, QObject* parent = nullptr);

  Q_INVOKABLE void add(const PackageItem& package);
  Q_INVOKABLE void remove(const ModItem& mod);
  Q_INVOKABLE void setEnabled(const ModItem& mod, bool on);
  Q_INVOKABLE void update(const ModItem& mod);
  Q_INVOKABLE void updateAll();
  // The update review's answer for the selected profile: the mods with `keys` (the loader pack by
  // its key) go to the catalogue's latest as one change named after them, and those with
  // `holdKeys` are held where they are.
  void updateReviewed(std::vector<std::string> keys, const std::vector<std::string>& holdKeys);
  Q_INVOKABLE void installMissing();
  // Keeps the mod at its installed version: no update shows, and Update All passes it by.
  Q_INVOKABLE void hold(const ModItem& mod);
  Q_INVOKABLE void releaseHold(const ModItem& mod);
  // The version the selected profile holds the package at, or empty.
  Q_INVOKABLE QString heldAt(const QString& fullName) const;
  // Adds a mod from a zip file with a manifest to the selected profile, with what it needs from
  // the catalogue. Such a mod stays as it is: it is never updated from the catalogue.
  Q_INVOKABLE void installModFile(const QUrl& file);
  // The same inside a busy operation already under way (a file dropped on the window).
  QCoro::Task<> installDroppedFile(std::string id, std::filesystem::path file);

  // Puts the selected profile back as the snapshot has it and installs what that needs.
  Q_INVOKABLE void restore(const QString& snapshotID);
  // One step back (forward) along the selected profile's changes.
  Q_INVOKABLE void undo();
  Q_INVOKABLE void redo();
  // Empties the cache of downloaded archives (Profile menu); the profiles keep their files.
  Q_INVOKABLE void clearDownloadCache();
  // A step of the history: to a snapshot from the sheet, or Undo or Redo.
  enum class Going { toSnapshot, back, forward };

 signals:
  // The profile's record and config files were put back as a snapshot had them.
  void restored(const QString& profileID);

 private:
  QCoro::Task<> clearCacheWork();
  QCoro::Task<> addWork(std::string id, TSPackage pkg);
  QCoro::Task<> removeWork(std::string id, std::string key);
  QCoro::Task<> setEnabledWork(std::string id, std::string key, bool on);
  QCoro::Task<> updateWork(std::string id, std::string key, QString name, std::string version);
  QCoro::Task<> syncWork(std::string id, QString note);
  QCoro::Task<> updateAllWork(std::string id);
  QCoro::Task<> updateReviewedWork(std::string id, std::vector<std::string> keys);
  QCoro::Task<> installFileWork(std::string id, std::filesystem::path file);
  QCoro::Task<> restoreWork(std::string id, Going going, std::string snapshotID);
  void go(Going going, const QString& snapshotID);
  // Saves the profile's holds; a failed save shows its error.
  void setHolds(const Profile& profile, HeldVersions holds);

  Parts parts_;
};
