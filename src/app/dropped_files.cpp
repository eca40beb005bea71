// A file dropped on the window: a mod archive is installed, anything else is offered as a profile file.
#include "app/app_state.hpp"
#include "app/background.hpp"
#include "foundation/fs.hpp"

void AppState::openDroppedFile(const QUrl& file) {
  activity_->perform(QStringLiteral("Opening %1…").arg(file.fileName()),
                     [this, file] { return dropWork(file); });
}

QCoro::Task<> AppState::dropWork(QUrl file) {
  // A mod archive has its manifest at the top; a profile file never has one there.
  const std::filesystem::path path = ss(file.toLocalFile());
  auto peek = background(this, [path] { return FS::zipHasEntry(path, "manifest.json"); });
  if (!co_await peek) {
    window_->replace(WindowState::Sheet::Import, file);
    co_return;
  }
  auto installing = modController_->installDroppedFile(ss(selectedID()), path);
  co_await installing;
}
