#pragma once

#include <QQmlEngine>
#include <QQuickWindow>

#include <memory>

#include "app/app_state.hpp"
#include "ui/desktop_workspace.hpp"

// The application as main() assembles it: the desktop services, the one AppState, the QML engine
// and the main window over them. Made after the QGuiApplication; the benchmarks make the same.
struct AppWindow {
  AppWindow();

  std::shared_ptr<DesktopWorkspace> desktop = std::make_shared<DesktopWorkspace>();
  AppState app;
  QQmlEngine engine;
  std::unique_ptr<QQuickWindow> window;  // null when the QML did not load
};
