// Turning off all 150 mods of a profile at once from the window: how long the window takes to show
// the change once the files have moved (from the record's write to the next frame drawn), beside
// the same for one mod turned off.
//
//   QT_QPA_PLATFORM=offscreen quernhold_bulk_toggle_bench
//
// Runs in a temporary home folder against the fake catalogue on loopback. Target: at most 50 ms
// for the 150.
#include <QElapsedTimer>

#include <cstdio>
#include <functional>

#include "bench_mods.hpp"

namespace {
constexpr int modCount = 150;

struct Shown {
  double refreshed = 0, settled = 0, drawn = 0;  // milliseconds after the record was written
};

// From the profile's record being written: the rows refreshed, the change ended, the next frame.
Shown shown(AppWindow& main, const std::function<void()>& change) {
  AppState& app = main.app;
  QElapsedTimer clock;
  Shown at;
  bool written = false, drawn = false;
  const auto ms = [&] { return double(clock.nsecsElapsed()) / 1e6; };
  const auto onWrite = QObject::connect(app.book(), &ProfileBook::written, [&] {
    if (!written) clock.start();
    written = true;
  });
  const auto onRefresh = QObject::connect(app.selection(), &SelectedProfile::changed, [&] {
    if (written && at.refreshed == 0) at.refreshed = ms();
  });
  change();
  Bench::pump([&] { return written && app.activity()->idle(); });
  at.settled = ms();
  const auto onFrame =
      QObject::connect(main.window.get(), &QQuickWindow::frameSwapped, [&] { drawn = true; });
  main.window->update();
  Bench::pump([&] { return drawn; });
  at.drawn = ms();
  for (const auto& connection : {onWrite, onRefresh, onFrame}) QObject::disconnect(connection);
  return at;
}

void print(const char* what, const Shown& at) {
  std::printf(
      "%s: rows refreshed %.1f ms, change ended %.1f ms, next frame %.1f ms after the record was written\n",
      what, at.refreshed, at.settled, at.drawn);
}
}  // namespace

int main(int argc, char* argv[]) {
  Bench::ModdedWindow bench(argc, argv, modCount, 2'000, 0);
  if (!bench.ready()) return 1;
  AppState& app = bench.app();

  const ModListModel& rows = *app.selection()->mods();
  const Shown one =
      shown(*bench.main, [&] { app.modController()->setEnabled(ModItem(rows.rows().front().mod), false); });
  const Shown all = shown(*bench.main, [&] {
    app.modSelection()->selectAll();
    app.modSelection()->turnOff();
  });
  int off = 0;
  for (const ProfileMod& m : app.selected()->mods) off += !m.enabled;
  if (off != modCount) {
    std::fprintf(stderr, "expected %d mods off, found %d\n", modCount, off);
    return 1;
  }
  print("one mod turned off", one);
  print("150 mods turned off at once (target: the next frame within 50 ms)", all);
  return 0;
}
