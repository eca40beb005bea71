#include "app/workspace.hpp"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

namespace {
QUrl fileURL(const std::filesystem::path& p) {
  return QUrl::fromLocalFile(QString::fromStdString(p.string()));
}

QClipboard* pasteboard() {
  // Only a GUI application has a pasteboard; a console run (tests, tools) has none.
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                      : nullptr;
}
}  // namespace

void Workspace::openURL(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

void Workspace::openFile(const std::filesystem::path& file) { QDesktopServices::openUrl(fileURL(file)); }

void Workspace::reveal(const std::filesystem::path& item) {
#ifdef Q_OS_MACOS
  QProcess::startDetached("/usr/bin/open", {"-R", QString::fromStdString(item.string())});
#else
  openFolder(item.parent_path());
#endif
}

void Workspace::openFolder(const std::filesystem::path& folder) {
  QDesktopServices::openUrl(fileURL(folder));
}

void Workspace::setClipboard(const QString& text) {
  if (auto* board = pasteboard()) {
    board->clear();
    board->setText(text);
  }
}

QString Workspace::clipboard() {
  auto* board = pasteboard();
  return board ? board->text() : QString();
}

void Workspace::chooseFolder(const QString&, const QString&, FolderChosen done) { done(std::nullopt); }
