#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "installer/game_build.hpp"

class Activity;
class CatalogueState;
class ConfigEditor;
class GameState;
class LaunchCheck;
class ProfileBook;
class ProfileChanges;
class ProfileSync;
class Workspace;
struct Profile;

// Play Modded: the selected profile is made whole, put in the game folder and started, and the
// launch report follows the loader's log. Also opens that log.
//
// A game updated since the profile last started up is told of first, in a banner, instead of
// launching; the player reviews the updates, plays anyway, or plays and is not warned of that
// game build again.
class Launcher : public QObject {
  Q_OBJECT
  // The banner about a game update is shown, with its title and message.
  Q_PROPERTY(bool gameUpdateWarning READ gameUpdateWarning NOTIFY gameUpdateWarningChanged)
  Q_PROPERTY(QString gameUpdateTitle READ gameUpdateTitle NOTIFY gameUpdateWarningChanged)
  Q_PROPERTY(QString gameUpdateMessage READ gameUpdateMessage NOTIFY gameUpdateWarningChanged)

 public:
  struct Parts {
    ProfileBook* book;
    Activity* activity;
    GameState* game;
    CatalogueState* catalogue;
    ProfileChanges* changes;
    ProfileSync* sync;
    ConfigEditor* config;
    LaunchCheck* launchCheck;
    std::function<Workspace&()> workspace;
    // Tells what the game's app manifest said at a Play (none when it could not be read).
    std::function<void(const std::optional<GameBuild>&)> gameRead;
  };
  explicit Launcher(Parts parts, QObject* parent = nullptr);

  bool gameUpdateWarning() const { return !warning_.title.isEmpty(); }
  QString gameUpdateTitle() const { return warning_.title; }
  QString gameUpdateMessage() const { return warning_.message; }

  Q_INVOKABLE void play();
  // From the game update's banner: launches now, and warns again at the next Play.
  Q_INVOKABLE void playAnyway();
  // From the same banner: no warning for this game build in this profile; then launches.
  Q_INVOKABLE void playWithoutWarning();
  // The banner goes without a launch (it comes back at the next Play).
  Q_INVOKABLE void clearWarning();
  Q_INVOKABLE void openGameLog();

  // "Valheim was updated on 3 December, after this profile last started." and how many of the
  // enabled mods have no version since (`older`); the year is named only when it is not `today`'s.
  static QString updatedTitle(Date updated, Date today);
  static QString updatedMessage(int older);
  // The enabled, installed mods of the profile whose newest version in the catalogue predates the
  // game's update.
  static int modsOlderThan(const Profile& profile, const CatalogueState& catalogue, Date updated);

 signals:
  void gameUpdateWarningChanged();

 private:
  enum class Guard { warn, playAnyway, stopWarning };
  void start(Guard guard);
  QCoro::Task<> playWork(std::string id, std::filesystem::path gameDir, Guard guard);

  struct Warning {
    QString title, message;
  };
  Parts parts_;
  Warning warning_;
};
