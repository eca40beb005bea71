// The Launch Report sheet in the real window: the time from asking for the sheet to the frame that
// shows it, for the report of a clean launch and for one of 500 problems, side by side.
//
//   QT_QPA_PLATFORM=offscreen quernhold_launch_sheet_bench
//
// Runs in a temporary home folder of its own; nothing goes to the network.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/launch_check.hpp"
#include "app/translations.hpp"
#include "bench_window.hpp"
#include "catalogue/endpoints.hpp"
#include "profiles/profile_store.hpp"
#include "testkit/log_samples.hpp"
#include "ui/app_window.hpp"

namespace {
// A start that went well, then `problems` distinct exceptions from 50 plug-ins, each with a stack.
std::string troubledLog(int problems) {
  std::string log = LogSamples::clean;
  for (int i = 0; i < problems; ++i) {
    const std::string plugin = "Plugin" + std::to_string(i % 50);
    log += "[Error  : Unity Log] InvalidOperationException: step " + std::to_string(i) + " failed\n";
    log += "Stack trace:\n" + plugin + ".Patches.Step" + std::to_string(i) + " () (at <abc>:0)\n";
    log += "Player.Update () (at <abc>:0)\n";
  }
  return log;
}

// Follows a log of `text` as the last launch's, and waits until its report is read.
void reportOf(AppState& app, const std::filesystem::path& file, const std::string& text, int problems) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  app.launchCheck()->follow(*app.selected(), file, {});
  Bench::pump(
      [&] { return app.launchCheck()->problems().size() == problems && app.launchCheck()->hasReport(); });
}

double cpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Times {
  std::vector<double> wall, cpu;  // sorted
};

// Opens and closes the sheet `runs` times: from asking for it to its first frame, in wall time and
// in the process's CPU time (the figure that other programs on a shared machine disturb least).
Times openTimes(WindowState& sheets, QQuickWindow& window, int runs) {
  QElapsedTimer clock;
  double cpuStart = 0, wall = -1, cpu = -1;
  bool waiting = false;
  const auto shown = QObject::connect(&window, &QQuickWindow::frameSwapped, [&] {
    if (!waiting) return;
    waiting = false;
    wall = double(clock.nsecsElapsed()) / 1e6;
    cpu = cpuMs() - cpuStart;
  });
  Times times;
  for (int run = 0; run < runs; ++run) {
    wall = -1;
    waiting = true;
    clock.start();
    cpuStart = cpuMs();
    sheets.open(WindowState::Sheet::LaunchReport);
    Bench::pump([&] { return wall >= 0; });
    times.wall.push_back(wall);
    times.cpu.push_back(cpu);
    sheets.close(WindowState::Sheet::LaunchReport);
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  QObject::disconnect(shown);
  std::sort(times.wall.begin(), times.wall.end());
  std::sort(times.cpu.begin(), times.cpu.end());
  return times;
}

void print(const char* what, const Times& times) {
  const auto& [wall, cpu] = times;
  std::printf("%s: median %.1f ms (min %.1f, max %.1f over %zu runs), CPU median %.1f ms\n", what,
              wall[wall.size() / 2], wall.front(), wall.back(), wall.size(), cpu[cpu.size() / 2]);
}
}  // namespace

int main(int argc, char* argv[]) {
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  setenv("HOME", home.path().toLocal8Bit().constData(), 1);
  setEndpoints({"http://127.0.0.1:9", "http://127.0.0.1:9", "http://127.0.0.1:9", "http://127.0.0.1:9"});
  ProfileStore::create("Default");

  QGuiApplication application(argc, argv);
  installTranslations();
  AppWindow main;
  if (!main.window) return 1;
  AppState& app = main.app;
  Bench::showStarted(main, [&] { return app.selected() != nullptr; });
  const std::filesystem::path log = home.path().toStdString() + "/LogOutput.log";
  constexpr int runs = 9;

  reportOf(app, log, LogSamples::clean, 0);
  const Times clean = openTimes(*app.window(), *main.window, runs);
  reportOf(app, log, troubledLog(500), 500);
  const Times troubled = openTimes(*app.window(), *main.window, runs);
  print("sheet for a clean launch", clean);
  print("sheet for 500 problems", troubled);
  return 0;
}
