// Turning off all 150 mods of a profile at once from the window: how long the window takes to show
// the change once the files have moved (from the record's write to the next frame drawn), beside
// the same for one mod turned off.
//
//   QT_QPA_PLATFORM=offscreen quernhold_bulk_toggle_bench
//
// Runs in a temporary home folder against the fake catalogue on loopback. Target: at most 50 ms
// for the 150.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

#include "app/translations.hpp"
#include "bench_mods.hpp"
#include "bench_window.hpp"
#include "foundation/paths.hpp"

namespace {
constexpr int modCount = 150;

// Milliseconds from the profile's record being written to the first frame after the change ended.
double shown(AppWindow& main, const std::function<void()>& change) {
  AppState& app = main.app;
  QElapsedTimer clock;
  bool written = false, drawn = false;
  const auto onWrite = QObject::connect(app.book(), &ProfileBook::written, [&] {
    if (!written) clock.start();
    written = true;
  });
  change();
  Bench::pump([&] { return written && app.activity()->idle(); });
  const auto onFrame =
      QObject::connect(main.window.get(), &QQuickWindow::frameSwapped, [&] { drawn = true; });
  main.window->update();
  Bench::pump([&] { return drawn; });
  QObject::disconnect(onWrite);
  QObject::disconnect(onFrame);
  return double(clock.nsecsElapsed()) / 1e6;
}
}  // namespace

int main(int argc, char* argv[]) {
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  setenv("HOME", home.path().toLocal8Bit().constData(), 1);
  QGuiApplication application(argc, argv);
  installTranslations();
  FakeCatalogue catalogue;
  FakeGame::make(Paths::defaultGameDir());
  FakeGame::addLoader(Paths::defaultGameDir());
  Bench::publishMods(catalogue, modCount, "1.0.0", 2'000, 0);
  Bench::benchProfile("Many", modCount);

  AppWindow main;
  if (!main.window) return 1;
  AppState& app = main.app;
  Bench::showStarted(main, [&] { return app.selected() && !app.catalogue()->loading(); });
  app.modController()->installMissing();
  Bench::pump([&] { return app.activity()->idle(); });

  const ModListModel& rows = *app.selection()->mods();
  const double one =
      shown(main, [&] { app.modController()->setEnabled(ModItem(rows.rows().front().mod), false); });
  const double all = shown(main, [&] {
    app.modSelection()->selectAll();
    app.modSelection()->turnOff();
  });
  int off = 0;
  for (const ProfileMod& m : app.selected()->mods) off += !m.enabled;
  if (off != modCount) {
    std::fprintf(stderr, "expected %d mods off, found %d\n", modCount, off);
    return 1;
  }
  std::printf("one mod turned off: %.1f ms to the next frame after its record was written\n", one);
  std::printf("%d mods turned off at once: %.1f ms (target 50 ms)\n", modCount, all);
  return 0;
}
