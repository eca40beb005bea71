#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>

class QTimer;

// The game folder and its checks, whether the game runs, and whether Play can start.
class GameState : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString folder READ folderText NOTIFY folderChanged)
  Q_PROPERTY(bool found READ found NOTIFY foundChanged)  // the folder holds the game
  // The folder the player chose last is not the game's (the game's own banner says so).
  Q_PROPERTY(bool wrongFolderChosen READ wrongFolderChosen WRITE setWrongFolderChosen NOTIFY
                 wrongFolderChosenChanged)
  Q_PROPERTY(bool running READ running NOTIFY runningChanged)
  Q_PROPERTY(bool steamLaunchOptionSet READ steamLaunchOptionSet NOTIFY steamLaunchOptionSetChanged)
  // Play can start now (what is missing installs first): the footer's button, and canPlay's base.
  Q_PROPERTY(bool canStartPlay READ canStartPlay NOTIFY playableChanged)
  // The menu's command also waits for what is missing.
  Q_PROPERTY(bool canPlay READ canPlay NOTIFY playableChanged)

 public:
  // What Play needs of the rest of the app: how much of the selected profile is missing (none
  // when no profile is selected), and whether an operation runs.
  struct PlayNeeds {
    std::function<std::optional<int>()> missingOfSelected;
    std::function<bool()> idle;
  };
  GameState(std::filesystem::path folder, PlayNeeds needs, QObject* parent = nullptr);

  const std::filesystem::path& folder() const { return folder_; }
  QString folderText() const { return QString::fromStdString(folder_.string()); }
  void setFolder(std::filesystem::path folder);
  bool found() const { return found_; }
  bool wrongFolderChosen() const { return wrongFolderChosen_; }
  void setWrongFolderChosen(bool wrong);  // false: the player dismissed the banner
  bool running() const { return running_; }
  bool steamLaunchOptionSet() const { return steamLaunchOptionSet_; }
  bool canStartPlay() const { return canStartPlay_; }
  bool canPlay() const { return canPlay_; }

  // Whether the folder holds the game, and whether a Steam account's launch options start the loader.
  Q_INVOKABLE void check();
  // A folder the player chose: the game's becomes the folder (true); any other is only noted.
  bool choose(const std::filesystem::path& folder);
  // Whether the game runs: now, and every five seconds once polling has started.
  Q_INVOKABLE void poll();
  void startPolling();
  // Decides canStartPlay and canPlay again; what they depend on outside calls it on a change.
  void refreshPlayable();

 signals:
  void folderChanged();
  void foundChanged();
  void wrongFolderChosenChanged();
  void runningChanged();
  void steamLaunchOptionSetChanged();
  void playableChanged();

 private:
  void setRunning(bool running);

  std::filesystem::path folder_;
  PlayNeeds needs_;
  QTimer* timer_ = nullptr;
  bool found_ = false;
  bool wrongFolderChosen_ = false;
  bool running_ = false;
  bool steamLaunchOptionSet_ = false;
  bool canStartPlay_ = false;
  bool canPlay_ = false;
};
