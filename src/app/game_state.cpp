#include "app/game_state.hpp"

#include "app/assign.hpp"

GameState::GameState(std::filesystem::path folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {}

void GameState::setFolder(std::filesystem::path folder) {
  assign(this, folder_, std::move(folder), &GameState::folderChanged);
}
void GameState::setFound(bool found) { assign(this, found_, found, &GameState::foundChanged); }
void GameState::setWrongFolderChosen(bool wrong) {
  assign(this, wrongFolderChosen_, wrong, &GameState::wrongFolderChosenChanged);
}
void GameState::setRunning(bool running) { assign(this, running_, running, &GameState::runningChanged); }
void GameState::setSteamLaunchOptionSet(bool set) {
  assign(this, steamLaunchOptionSet_, set, &GameState::steamLaunchOptionSetChanged);
}

void GameState::setPlayable(bool canStart, bool canPlayNow) {
  if (canStart == canStartPlay_ && canPlayNow == canPlay_) return;
  canStartPlay_ = canStart;
  canPlay_ = canPlayNow;
  emit playableChanged();
}
