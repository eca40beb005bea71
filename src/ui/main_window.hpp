#pragma once

class AppState;
class DesktopWorkspace;
class QQmlEngine;
class QQuickWindow;

namespace MainWindow {
// Readies an engine for the Quernhold module (the window, the preview and the tests use it).
void prepare(QQmlEngine& engine);
// Creates the main window over `app`; the caller owns it. Null when the QML fails to load.
QQuickWindow* create(QQmlEngine& engine, AppState& app, DesktopWorkspace& desktop);
}  // namespace MainWindow
