// The update review sheet in the real window with 100 updates: the time from asking for the sheet
// to the frame that shows it laid out, beside the History sheet opened the same way as a baseline.
//
//   QT_QPA_PLATFORM=offscreen quernhold_update_review_bench
//
// Runs in a temporary home folder against the fake catalogue on loopback; every mod has a newer
// version with a changelog. Target: the review within 100 ms.
#include <QElapsedTimer>
#include <QQuickWindow>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/update_review.hpp"
#include "bench_mods.hpp"
#include "testkit/changelog_samples.hpp"

namespace {
constexpr int modCount = 100;

// Opens and closes `sheet` `runs` times; each time, from asking for it to the first frame drawn
// after it, in milliseconds, sorted.
std::vector<double> openTimes(WindowState& window, QQuickWindow& view, WindowState::Sheet sheet, int runs) {
  QElapsedTimer clock;
  double took = -1;
  bool waiting = false;
  const auto shown = QObject::connect(&view, &QQuickWindow::frameSwapped, [&] {
    if (!waiting) return;
    waiting = false;
    took = double(clock.nsecsElapsed()) / 1e6;
  });
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    took = -1;
    waiting = true;
    clock.start();
    window.open(sheet);
    Bench::pump([&] { return took >= 0; });
    times.push_back(took);
    window.close(sheet);
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  QObject::disconnect(shown);
  std::sort(times.begin(), times.end());
  return times;
}

void print(const char* what, const std::vector<double>& t) {
  std::printf("%s: median %.1f ms (min %.1f, max %.1f over %zu runs)\n", what, t[t.size() / 2], t.front(),
              t.back(), t.size());
}
}  // namespace

int main(int argc, char* argv[]) {
  Bench::ModdedWindow bench(argc, argv, modCount, 2'000, 0);
  if (!bench.ready()) return 1;
  AppState& app = bench.app();
  if (!bench.offerUpdates("2.0.0", ChangelogSamples::versioned)) {
    std::fprintf(stderr, "expected %d updates, found %d\n", modCount, app.selection()->updates());
    return 1;
  }
  // The changelogs of the rows in sight are read once; later openings find them in memory, as a
  // player's second look does. The first opening is reported on its own.
  constexpr int runs = 9;
  const std::vector<double> first =
      openTimes(*app.window(), bench.window(), WindowState::Sheet::UpdateReview, 1);
  const std::vector<double> history =
      openTimes(*app.window(), bench.window(), WindowState::Sheet::History, runs);
  const std::vector<double> review =
      openTimes(*app.window(), bench.window(), WindowState::Sheet::UpdateReview, runs);
  print("History sheet (baseline)", history);
  print("update review of 100 updates, first opening", first);
  print("update review of 100 updates", review);
  std::printf("review / baseline: %.2f\n", review[review.size() / 2] / history[history.size() / 2]);
  return 0;
}
