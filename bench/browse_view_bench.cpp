// The browse list in the real window over the 10,000-package index: the time from the index being
// set to the frame that shows its first page, and how many rows exist after scrolling to the end
// of 1,000 shown results (only the rows on screen should be built).
//
//   HOME=<temp> quernhold_browse_view_bench --prepare <packages.json>
//   HOME=<temp> QT_QPA_PLATFORM=offscreen quernhold_browse_view_bench
//
// Runs in the given home folder; the index comes from the cache, so nothing goes to the network.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "app/translations.hpp"
#include "bench_window.hpp"
#include "catalogue/endpoints.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "ui/app_window.hpp"

namespace {
// Rows that exist and take part in the list (a reused row waiting in the pool is hidden).
int builtRows(QQuickItem* item) {
  int n = item->isVisible() && item->objectName().startsWith(QStringLiteral("browseRow.")) ? 1 : 0;
  for (QQuickItem* child : item->childItems()) n += builtRows(child);
  return n;
}

QQuickItem* named(QQuickItem* item, const QString& name) {
  if (item->objectName() == name) return item;
  for (QQuickItem* child : item->childItems())
    if (QQuickItem* found = named(child, name)) return found;
  return nullptr;
}

// Writes the index cache from a package list, for the runs to load offline.
int prepare(const char* packageList) {
  std::ifstream in(packageList, std::ios::binary);
  std::string json((std::istreambuf_iterator<char>(in)), {});
  FS::mkdir(Paths::cache());
  FS::writeAtomic(Paths::cache() / "valheim-index.json",
                  Thunderstore::encodeCache(Thunderstore::decodeIndex(json)));
  return 0;
}

// Each load of the cached index replaces the list; times from the new index to its first frame, sorted.
std::vector<double> firstPageTimes(AppState& app, QQuickWindow& window) {
  QElapsedTimer clock;
  bool waiting = false;
  double elapsed = 0;
  // Both connections end with this function: they refer to its variables.
  const auto loaded = QObject::connect(app.catalogue(), &CatalogueState::indexChanged, [&] {
    clock.start();
    waiting = true;
  });
  const auto shown = QObject::connect(&window, &QQuickWindow::frameSwapped, [&] {
    if (!waiting) return;
    waiting = false;
    elapsed = double(clock.nsecsElapsed()) / 1e6;
  });
  std::vector<double> times;
  for (int run = 0; run < 7; ++run) {
    elapsed = -1;
    app.catalogue()->loadIndex(false);
    Bench::pump([&] { return !app.catalogue()->loading() && elapsed >= 0; });
    times.push_back(elapsed);
  }
  QObject::disconnect(loaded);
  QObject::disconnect(shown);
  std::sort(times.begin(), times.end());
  return times;
}
}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 3 && std::string(argv[1]) == "--prepare") return prepare(argv[2]);
  // Nothing leaves the machine: the index comes from the cache, the update notice finds no one.
  setEndpoints({"http://127.0.0.1:9", "http://127.0.0.1:9", "http://127.0.0.1:9", "http://127.0.0.1:9"});
  QGuiApplication application(argc, argv);
  installTranslations();
  AppWindow main;
  if (!main.window) return 1;
  AppState& app = main.app;
  auto& window = main.window;
  window->resize(1100, 780);
  window->show();
  app.start();  // the first profile, and the cached index
  Bench::pump([&] { return !app.catalogue()->loading() && !app.catalogue()->index().empty(); });
  app.window()->setTab(DetailTab::Browse);

  const std::vector<double> times = firstPageTimes(app, *window);
  QQuickItem* list = named(window->contentItem(), QStringLiteral("browse.list"));
  std::printf("packages: %zu, results: %d, rows shown: %d\n", app.catalogue()->index().size(),
              app.catalogue()->indexModel()->resultCount(), list ? list->property("count").toInt() : -1);
  std::printf("first page after the index is set: median %.1f ms (min %.1f, max %.1f over %zu runs)\n",
              times[times.size() / 2], times.front(), times.back(), times.size());
  std::printf("rows built for the first page: %d\n", builtRows(window->contentItem()));

  app.catalogue()->indexModel()->setLimit(1000);
  QMetaObject::invokeMethod(list, "positionViewAtEnd");
  for (int i = 0; i < 50; ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);  // the scroll settles
  std::printf("rows built after scrolling to the end of 1000 shown: %d\n", builtRows(window->contentItem()));
  return 0;
}
