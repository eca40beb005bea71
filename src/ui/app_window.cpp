#include "ui/app_window.hpp"

#include <QQuickStyle>

#include "ui/main_window.hpp"

AppWindow::AppWindow() {
  // The look is our own, drawn over the style that can be restyled.
  QQuickStyle::setStyle(QStringLiteral("Basic"));
  app.setWorkspace(desktop);
  MainWindow::prepare(engine);
  window.reset(MainWindow::create(engine, app, *desktop));
}
