#pragma once

#include <QObject>
#include <QString>

#include <filesystem>

// The game folder, whether the game runs, and whether Play can start.
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
  explicit GameState(std::filesystem::path folder, QObject* parent = nullptr);

  const std::filesystem::path& folder() const { return folder_; }
  QString folderText() const { return QString::fromStdString(folder_.string()); }
  void setFolder(std::filesystem::path folder);
  bool found() const { return found_; }
  void setFound(bool found);
  bool wrongFolderChosen() const { return wrongFolderChosen_; }
  void setWrongFolderChosen(bool wrong);
  bool running() const { return running_; }
  void setRunning(bool running);
  bool steamLaunchOptionSet() const { return steamLaunchOptionSet_; }
  void setSteamLaunchOptionSet(bool set);
  bool canStartPlay() const { return canStartPlay_; }
  bool canPlay() const { return canPlay_; }
  // The application state decides these from the selected profile, the busy operation and the fields above.
  void setPlayable(bool canStart, bool canPlayNow);

 signals:
  void folderChanged();
  void foundChanged();
  void wrongFolderChosenChanged();
  void runningChanged();
  void steamLaunchOptionSetChanged();
  void playableChanged();

 private:
  std::filesystem::path folder_;
  bool found_ = false;
  bool wrongFolderChosen_ = false;
  bool running_ = false;
  bool steamLaunchOptionSet_ = false;
  bool canStartPlay_ = false;
  bool canPlay_ = false;
};
