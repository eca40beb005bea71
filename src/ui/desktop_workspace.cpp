#include "ui/desktop_workspace.hpp"

void DesktopWorkspace::chooseFolder(const QString& message, const QString& button, FolderChosen done) {
  if (pending_) pending_(std::nullopt);  // a second request replaces the first, which counts as cancelled
  pending_ = std::move(done);
  emit folderRequested(message, button);
}

void DesktopWorkspace::finishFolderChoice(const QUrl& folder) {
  FolderChosen done = std::exchange(pending_, nullptr);
  if (!done) return;
  if (folder.isLocalFile())
    done(std::filesystem::path(folder.toLocalFile().toStdString()));
  else
    done(std::nullopt);
}
