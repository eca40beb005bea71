#include <QGuiApplication>

#include "foundation/app_version.hpp"
#include "ui/app_window.hpp"

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  QGuiApplication::setApplicationName(QStringLiteral("Quernhold"));
  QGuiApplication::setApplicationVersion(QString::fromStdString(App::version));
  AppWindow main;
  if (!main.window) return 1;
  main.window->show();
  // Closing the window ends the application (quitOnLastWindowClosed).
  return QGuiApplication::exec();
}
