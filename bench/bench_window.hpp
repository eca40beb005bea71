#pragma once

// What the window benchmarks share: turning the event loop until something holds, and the window
// shown at the size they measure with the app started.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QQuickWindow>

#include <functional>

#include "ui/app_window.hpp"

namespace Bench {
// Turns the event loop until `done` holds or `limitMs` has passed. Objects deleted later go as they
// would in the running app: without an event loop of its own, nothing else deletes them, and closed
// sheets would pile up behind the window.
inline void pump(const std::function<bool()>& done, qint64 limitMs = 30'000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < limitMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// Shows the window at 1100 × 780, starts the app and waits for its start and for `ready`.
inline void showStarted(AppWindow& main, const std::function<bool()>& ready) {
  main.window->resize(1100, 780);
  main.window->show();
  bool started = false;
  QObject::connect(&main.app, &AppState::startFinished, [&] { started = true; });
  main.app.start();
  pump([&] { return started && ready(); });
}
}  // namespace Bench
