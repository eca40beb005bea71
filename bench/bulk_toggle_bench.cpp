// Turning off all 150 mods of a profile at once from the window: how long the window takes to show
// the change once the files have moved (from the record's write to the next frame drawn), beside
// the same for one mod turned off. Each is measured several times (turned back on between runs) and
// reported as the median.
//
//   QT_QPA_PLATFORM=offscreen quernhold_bulk_toggle_bench
//
// Runs in a temporary home folder against the fake catalogue on loopback. Target: at most 50 ms
// for the 150.
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench_mods.hpp"

namespace {
constexpr int modCount = 150;
constexpr int runs = 7;

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
  // The record changes in memory as soon as the files have moved, before anything follows it.
  const auto onWrite = QObject::connect(app.book(), &ProfileBook::listChanged, [&] {
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

// The medians of each measure over `times`.
Shown median(std::vector<Shown> times) {
  const auto middle = [&](double Shown::*field) {
    std::vector<double> values;
    for (const Shown& t : times) values.push_back(t.*field);
    std::nth_element(values.begin(), values.begin() + long(values.size() / 2), values.end());
    return values[values.size() / 2];
  };
  return {middle(&Shown::refreshed), middle(&Shown::settled), middle(&Shown::drawn)};
}

void print(const char* what, const Shown& at) {
  std::printf(
      "%s: rows refreshed %.1f ms, change ended %.1f ms, next frame %.1f ms after the record was written "
      "(medians of %d runs)\n",
      what, at.refreshed, at.settled, at.drawn, runs);
}

int offCount(const Profile& profile) {
  return int(std::count_if(profile.mods.begin(), profile.mods.end(),
                           [](const ProfileMod& m) { return !m.enabled; }));
}
}  // namespace

int main(int argc, char* argv[]) {
  Bench::ModdedWindow bench(argc, argv, modCount, 2'000, 0);
  if (!bench.ready()) return 1;
  AppState& app = bench.app();
  ModSelection& selection = *app.modSelection();

  const ModListModel& rows = *app.selection()->mods();
  std::vector<Shown> one, all;
  for (int run = 0; run < runs; ++run) {
    const ModItem first(rows.rows().front().mod);
    one.push_back(shown(*bench.main, [&] { app.modController()->setEnabled(first, false); }));
    all.push_back(shown(*bench.main, [&] {
      selection.selectAll();
      selection.turnOff();
    }));
    if (offCount(*app.selected()) != modCount) {
      std::fprintf(stderr, "expected %d mods off, found %d\n", modCount, offCount(*app.selected()));
      return 1;
    }
    shown(*bench.main, [&] {
      selection.selectAll();
      selection.turnOn();
    });
  }
  print("one mod turned off", median(one));
  print("150 mods turned off at once (target: the next frame within 50 ms)", median(all));
  return 0;
}
