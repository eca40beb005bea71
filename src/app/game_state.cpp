#include "app/game_state.hpp"

#include <QTimer>

#include "app/assign.hpp"
#include "app/background.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "installer/installer.hpp"

GameState::GameState(std::filesystem::path folder, PlayNeeds needs, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), needs_(std::move(needs)) {
  for (auto changed : {&GameState::foundChanged, &GameState::runningChanged})
    connect(this, changed, this, &GameState::refreshPlayable);
}

void GameState::setFolder(std::filesystem::path folder) {
  assign(this, folder_, std::move(folder), &GameState::folderChanged);
}

void GameState::check() {
  assign(this, found_, Installer::isGameFolder(folder_), &GameState::foundChanged);
  // One folder per Steam account; an account whose launch options mention the loader's script counts.
  bool set = false;
  std::error_code ec;
  const auto userdata = Paths::steamDir() / "userdata";
  for (auto it = std::filesystem::directory_iterator(userdata, ec);
       !ec && !set && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    try {
      set = FS::readFile(it->path() / "config" / "localconfig.vdf").find("run_bepinex") != std::string::npos;
    } catch (...) {
      // A missing or unreadable file does not mention it.
    }
  }
  assign(this, steamLaunchOptionSet_, set, &GameState::steamLaunchOptionSetChanged);
}

void GameState::setWrongFolderChosen(bool wrong) {
  assign(this, wrongFolderChosen_, wrong, &GameState::wrongFolderChosenChanged);
}

bool GameState::choose(const std::filesystem::path& folder) {
  const bool isGame = Installer::isGameFolder(folder);
  setWrongFolderChosen(!isGame);
  if (!isGame) return false;
  setFolder(folder);
  check();
  return true;
}

void GameState::startPolling() {
  if (timer_) return;
  timer_ = new QTimer(this);  // a child: it dies with the state and never outlives it
  timer_->setInterval(5000);
  connect(timer_, &QTimer::timeout, this, &GameState::poll);
  timer_->start();
  poll();
}

void GameState::poll() {
  [](GameState* self) -> QCoro::Task<> {
    try {
      auto job = background(self, [] { return Installer::gameRunning(); });
      const bool running = co_await job;
      self->setRunning(running);
    } catch (...) {
      // Only Abandoned can arrive here: gameRunning never throws.
    }
  }(this);
}

void GameState::setRunning(bool running) { assign(this, running_, running, &GameState::runningChanged); }

void GameState::refreshPlayable() {
  const std::optional<int> missing = needs_.missingOfSelected();
  const bool canStart = missing && found_ && needs_.idle() && !running_;
  const bool canPlayNow = canStart && *missing == 0;
  if (canStart == canStartPlay_ && canPlayNow == canPlay_) return;
  canStartPlay_ = canStart;
  canPlay_ = canPlayNow;
  emit playableChanged();
}
