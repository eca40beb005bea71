// Start-up of the window with a cached 10,000-package index and three profiles: the time from
// process start to the window's first frame, and the peak resident memory once the index is in.
//
//   quernhold_startup <packages.json>
//
// Runs in a temporary home folder; the index comes from the cache, so nothing goes to the network.
#include <QGuiApplication>
#include <QQuickWindow>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/translations.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "profiles/profile_store.hpp"
#include "ui/app_window.hpp"

namespace {
// Milliseconds since the kernel started this process.
double sinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22; ++i) fields >> field;  // field 22: start time in clock ticks after boot
  const double startSeconds = std::stod(field) / double(sysconf(_SC_CLK_TCK));
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 - startSeconds) * 1000.0;
}

void prepare(const char* packageList) {
  std::ifstream in(packageList, std::ios::binary);
  std::string json((std::istreambuf_iterator<char>(in)), {});
  FS::mkdir(Paths::cache());
  FS::writeAtomic(Paths::cache() / "valheim-index.json",
                  Thunderstore::encodeCache(Thunderstore::decodeIndex(json)));
  for (const char* name : {"Default", "Raid", "Hardcore"}) ProfileStore::create(name);
}
}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 3 && std::string(argv[1]) == "--prepare") {
    prepare(argv[2]);
    return 0;
  }
  QGuiApplication application(argc, argv);
  installTranslations();
  AppWindow main;
  if (!main.window) return 1;
  AppState& app = main.app;
  auto& window = main.window;
  double firstFrame = -1;
  QObject::connect(window.get(), &QQuickWindow::frameSwapped, [&] {
    if (firstFrame < 0) firstFrame = sinceProcessStart();
  });
  window->show();
  // Wait for the first frame and the cached index, then report.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (firstFrame < 0 || app.catalogue()->loading() || app.catalogue()->index().empty()) return;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("first frame: %.0f ms after process start\npackages: %zu\npeak RSS: %.0f MB\n", firstFrame,
                app.catalogue()->index().size(), double(usage.ru_maxrss) / 1024.0);
    QGuiApplication::quit();
  });
  poll.start(10);
  return QGuiApplication::exec();
}
