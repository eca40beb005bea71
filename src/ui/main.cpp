#include <QGuiApplication>
#include <QIcon>

#include <iostream>
#include <string_view>

#include "app/translations.hpp"
#include "diagnostics/launch_report_command.hpp"
#include "foundation/app_version.hpp"
#include "ui/app_window.hpp"

int main(int argc, char* argv[]) {
  // The launch report is for scripts: it needs no display, so it runs before any window exists.
  if (argc > 1 && std::string_view(argv[1]) == "--launch-report")
    return Diagnostics::launchReportCommand({argv + 2, argv + argc}, std::cout, std::cerr);
  QGuiApplication application(argc, argv);
  installTranslations();
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
