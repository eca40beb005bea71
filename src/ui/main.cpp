#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>

#include <memory>

#include "app/app_state.hpp"
#include "foundation/app_version.hpp"
#include "ui/desktop_workspace.hpp"
#include "ui/main_window.hpp"

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  QGuiApplication::setApplicationName(QStringLiteral("Quernhold"));
  QGuiApplication::setApplicationVersion(QString::fromStdString(App::version));
  // The look is our own, drawn over the style that can be restyled.
  QQuickStyle::setStyle(QStringLiteral("Basic"));

  auto desktop = std::make_shared<DesktopWorkspace>();
  AppState app;
  app.setWorkspace(desktop);

  QQmlEngine engine;
  MainWindow::prepare(engine);
  std::unique_ptr<QQuickWindow> window(MainWindow::create(engine, app, *desktop));
  if (!window) return 1;
  window->show();
  // Closing the window ends the application (quitOnLastWindowClosed).
  return QGuiApplication::exec();
}
