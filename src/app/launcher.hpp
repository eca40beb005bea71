#pragma once

#include <QCoroTask>
#include <QObject>

#include <filesystem>
#include <functional>
#include <string>

class Activity;
class ConfigEditor;
class GameState;
class LaunchCheck;
class ProfileBook;
class ProfileChanges;
class ProfileSync;
class Workspace;

// Play Modded: the selected profile is made whole, put in the game folder and started, and the
// launch report follows the loader's log. Also opens that log.
class Launcher : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    ProfileBook* book;
    Activity* activity;
    GameState* game;
    ProfileChanges* changes;
    ProfileSync* sync;
    ConfigEditor* config;
    LaunchCheck* launchCheck;
    std::function<Workspace&()> workspace;
  };
  explicit Launcher(Parts parts, QObject* parent = nullptr);

  Q_INVOKABLE void play();
  Q_INVOKABLE void openGameLog();

 private:
  QCoro::Task<> playWork(std::string id, std::filesystem::path gameDir);

  Parts parts_;
};
