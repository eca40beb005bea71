#include <QGuiApplication>
#include <QIcon>

#include "foundation/app_version.hpp"
#include "ui/app_window.hpp"

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  QGuiApplication::setApplicationName(QStringLiteral("Quernhold"));
  QGuiApplication::setApplicationVersion(QString::fromStdString(App::version));
#ifndef Q_OS_MACOS
  // The Mac takes its icon from the bundle; elsewhere the window carries it.
  QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/app-icon/Quernhold-256.png")));
#endif
  AppWindow main;
  if (!main.window) return 1;
  main.window->show();
  // Closing the window ends the application (quitOnLastWindowClosed).
  return QGuiApplication::exec();
}
