#pragma once

#include <QCoroTask>
#include <QObject>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "installer/dependency.hpp"
#include "profiles/profile.hpp"

class Activity;
class ArchivePrefetch;
class CatalogueState;
class GameState;
class ModStatuses;
class ProfileBook;
class QThreadPool;

// Makes a profile's files match what it wants: the loader, the pack, then the mods wave by wave,
// with their archives downloading ahead, several at once.
class ProfileSync : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    ProfileBook* book;
    Activity* activity;
    CatalogueState* catalogue;
    GameState* game;
    ModStatuses* statuses;
  };
  explicit ProfileSync(Parts parts, QObject* parent = nullptr);

  QCoro::Task<> sync(std::string id);

 private:
  QCoro::Task<Profile> syncPack(Profile p, std::filesystem::path gameDir);
  QCoro::Task<> syncMods(Profile p);
  // One mod of a wave: installed when it must be, and what it needs added to the profile.
  struct SyncedMod {
    Profile profile;
    std::vector<std::string> needs;  // the keys of what the mod needs
  };
  QCoro::Task<SyncedMod> syncMod(Profile p, std::string key, ArchivePrefetch* prefetch);
  // The catalogue's latest version, from the index or else asked of the catalogue.
  QCoro::Task<std::optional<std::string>> latestVersion(DependencyRef wanted);

  Parts parts_;
  QThreadPool* downloadPool_;  // the archives a sync fetches ahead of its installs
};
