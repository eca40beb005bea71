// The window's main thread during Update All of 40 mods, beside the same window left idle: how
// long the thread goes between turns of its event loop (a 4 ms timer that is late by the time the
// thread was busy), and how far apart the frames it drew are.
//
//   QT_QPA_PLATFORM=offscreen quernhold_frame_budget_bench
//
// Runs in a temporary home folder against the fake catalogue on loopback; the 40 mods are 50 to
// 500 kB each. Each of five rounds publishes a newer version of every mod and updates them all;
// the figures pool the rounds, since one Update All has too few turns for a p99 of its own.
// Target: p99 <= 20 ms and no stall over 50 ms.
#include <QElapsedTimer>
#include <QQuickWindow>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bench_mods.hpp"

namespace {
constexpr int modCount = 40;
constexpr int rounds = 5;

struct Intervals {
  std::vector<double> ticks, frames;  // milliseconds, sorted

  void add(const Intervals& more) {
    for (auto [to, from] : {std::pair(&ticks, &more.ticks), std::pair(&frames, &more.frames)}) {
      to->insert(to->end(), from->begin(), from->end());
      std::sort(to->begin(), to->end());
    }
  }
};

// Records the gaps between turns of the event loop and between frames until `done`.
Intervals record(QQuickWindow& window, const std::function<bool()>& done) {
  Intervals out;
  QElapsedTimer clock;
  clock.start();
  double lastTick = 0, lastFrame = -1;
  QTimer ticker;
  ticker.setInterval(4);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const double now = double(clock.nsecsElapsed()) / 1e6;
    out.ticks.push_back(now - lastTick);
    lastTick = now;
  });
  const auto framed = QObject::connect(&window, &QQuickWindow::frameSwapped, [&] {
    const double now = double(clock.nsecsElapsed()) / 1e6;
    if (lastFrame >= 0) out.frames.push_back(now - lastFrame);
    lastFrame = now;
  });
  ticker.start();
  Bench::pump(done);
  QObject::disconnect(framed);
  std::sort(out.ticks.begin(), out.ticks.end());
  std::sort(out.frames.begin(), out.frames.end());
  return out;
}

double at(const std::vector<double>& sorted, double share) {
  return sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, size_t(share * double(sorted.size())))];
}

void print(const char* what, const Intervals& i) {
  std::printf("%s: loop turns p50 %.1f ms, p99 %.1f ms, longest %.1f ms (%zu turns); ", what,
              at(i.ticks, 0.5), at(i.ticks, 0.99), i.ticks.empty() ? 0 : i.ticks.back(), i.ticks.size());
  std::printf("frames p50 %.1f ms, p99 %.1f ms, longest %.1f ms (%zu frames)\n", at(i.frames, 0.5),
              at(i.frames, 0.99), i.frames.empty() ? 0 : i.frames.back(), i.frames.size() + 1);
}
}  // namespace

int main(int argc, char* argv[]) {
  // The catalogue's entries name their icons, so a row's icon stays put while its mod updates.
  Bench::ModdedWindow bench(argc, argv, modCount, 50'000, 11'000, /*icons=*/true);
  if (!bench.ready()) return 1;
  AppState& app = bench.app();
  Intervals during;
  qint64 took = 0;
  for (int round = 0; round < rounds; ++round) {
    const std::string version = std::to_string(round + 2) + ".0.0";
    if (!bench.offerUpdates(version)) {
      std::fprintf(stderr, "expected %d updates, found %d\n", modCount, app.selection()->updates());
      return 1;
    }
    QElapsedTimer updating;
    updating.start();
    app.modController()->updateAll();
    during.add(record(bench.window(), [&] { return app.activity()->idle(); }));
    took += updating.elapsed();
    if (app.selection()->updates() != 0 || !app.activity()->errorMessage().isEmpty()) {
      std::fprintf(stderr, "Update All did not finish: %s\n",
                   app.activity()->errorMessage().toStdString().c_str());
      return 1;
    }
  }
  QElapsedTimer idle;
  idle.start();
  const Intervals still = record(bench.window(), [&] { return idle.elapsed() >= took; });
  std::printf("Update All of %d mods, %d rounds, took %lld ms a round\n", modCount, rounds,
              static_cast<long long>(took / rounds));
  print("idle window", still);
  print("during Update All", during);
  return 0;
}
