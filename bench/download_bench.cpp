// Installing a 40-mod profile over a slow network: downloads in parallel against the same install
// done one at a time, measured side by side, then a second profile with the same mods from the
// download cache.
//
//   quernhold_download_bench
//
// Runs in a temporary home folder against the fake catalogue on loopback, with 150 ms added to
// every request and each connection held to 20 MB/s. 12 mods are in the profile; each needs two of
// 16 libraries, and each library one of 12 base libraries: 40 mods of 0.1 to 5 MB, two levels deep.
#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/app_state.hpp"
#include "app/archive_prefetch.hpp"
#include "app/translations.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "installer/download_cache.hpp"
#include "installer/installer.hpp"
#include "profiles/profile_store.hpp"
#include "testkit/fake_catalogue.hpp"
#include "testkit/fake_game.hpp"
#include "testkit/zip_builder.hpp"

namespace fs = std::filesystem;

namespace {
struct Mod {
  std::string name;
  std::vector<std::string> needs;
};

// The 40 mods: Top0..11 need two of Lib0..15 each; LibN needs BaseN%12.
std::vector<Mod> catalogueMods() {
  std::vector<Mod> mods;
  for (int i = 0; i < 12; ++i)
    mods.push_back(
        {"Top" + std::to_string(i), {"Lib" + std::to_string(i), "Lib" + std::to_string((i + 12) % 16)}});
  for (int i = 0; i < 16; ++i) mods.push_back({"Lib" + std::to_string(i), {"Base" + std::to_string(i % 12)}});
  for (int i = 0; i < 12; ++i) mods.push_back({"Base" + std::to_string(i), {}});
  return mods;
}

std::string publish(FakeCatalogue& catalogue, const std::vector<Mod>& mods) {
  std::mt19937 random(42);
  std::uniform_int_distribution<size_t> size(100'000, 5'000'000);
  std::string list = R"([{"name": "BepInExPack_Valheim", "full_name": "denikson-BepInExPack_Valheim",
      "owner": "denikson", "versions": [{"version_number": "5.4.2202"}]})";
  catalogue.addPackage("denikson", "BepInExPack_Valheim", "5.4.2202", zipBytes(FakeGame::packArchive()));
  size_t total = 0;
  for (const Mod& mod : mods) {
    std::string deps;
    for (const auto& need : mod.needs) deps += (deps.empty() ? "\"Bench-" : ", \"Bench-") + need + "-1.0.0\"";
    const std::string manifest = R"({"name": ")" + mod.name + R"(", "dependencies": [)" + deps + "]}";
    const size_t bytes = size(random);
    total += bytes;
    catalogue.addPackage(
        "Bench", mod.name, "1.0.0",
        zipBytes({{"manifest.json", manifest}, {"plugins/" + mod.name + ".dll", incompressible(bytes)}}));
    list += R"(, {"name": ")" + mod.name + R"(", "full_name": "Bench-)" + mod.name +
            R"(", "owner": "Bench", "versions": [{"version_number": "1.0.0", "dependencies": [)" + deps +
            "]}]}";
  }
  catalogue.setPackageList(list + "]");
  std::printf("catalogue: %zu mods, %.1f MB of plug-ins\n", mods.size(), double(total) / 1e6);
  return list;
}

// A profile holding the twelve top mods and the pack, as a profile code would leave it.
std::string makeProfile(const std::string& name) {
  Profile p = ProfileStore::create(name);
  p.packVersion = "5.4.2202";
  for (int i = 0; i < 12; ++i)
    p.mods.push_back({"Bench", "Top" + std::to_string(i), "1.0.0", std::nullopt, true, true});
  ProfileStore::save(p);
  return p.id;
}

bool waitUntil(const std::function<bool()>& done) {
  QTimer failsafe;
  bool expired = false;
  QObject::connect(&failsafe, &QTimer::timeout, [&] { expired = true; });
  failsafe.start(600'000);
  while (!done() && !expired) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return done();
}

// Installs everything the profile lacks; returns the wall time in seconds.
double install(AppState& state, const std::string& id) {
  state.setSelectedID(QString::fromStdString(id));
  const auto start = std::chrono::steady_clock::now();
  state.modController()->installMissing();
  waitUntil([&] { return state.activity()->busy().isEmpty(); });
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!state.activity()->errorMessage().isEmpty()) {
    std::fprintf(stderr, "install failed: %s\n", state.activity()->errorMessage().toStdString().c_str());
    std::exit(1);
  }
  return seconds;
}

// CPU seconds used by every thread of this process so far.
double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Every file under `root` with its bytes, for comparing two profile folders.
std::vector<std::pair<std::string, std::string>> contents(const fs::path& root) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file() && e.path().filename() != "profile.json")
      files.emplace_back(fs::relative(e.path(), root).string(), FS::readFile(e.path()));
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<ProfileMod> modsOf(const std::string& id) {
  for (const Profile& p : ProfileStore::loadAll())
    if (p.id == id) return p.mods;
  return {};
}
}  // namespace

int main(int argc, char** argv) {
  char home[] = "/tmp/quernhold-download-bench-XXXXXX";
  if (!mkdtemp(home)) return 1;
  setenv("HOME", home, 1);
  QCoreApplication app(argc, argv);
  installTranslations();
  int status = 0;
  {
    FakeCatalogue catalogue;
    FakeGame::make(Paths::defaultGameDir());
    FakeGame::addLoader(Paths::defaultGameDir());
    publish(catalogue, catalogueMods());
    const std::string one = makeProfile("One at a time"), parallel = makeProfile("Parallel"),
                      second = makeProfile("Second");

    AppState state;
    state.start();
    waitUntil([&] { return !state.catalogue()->loading() && state.current(one); });
    catalogue.setLatency(150);
    catalogue.setBandwidth(20'000'000);

    setParallelDownloads(1);
    const double sequential = install(state, one);
    DownloadCache::clear();
    setParallelDownloads(4);
    const double inParallel = install(state, parallel);
    const size_t requestsBefore = catalogue.requests().size();
    const double cpuBefore = cpuSeconds();
    const double fromCache = install(state, second);
    const double cacheCPU = cpuSeconds() - cpuBefore;
    const size_t cachedRequests = catalogue.requests().size() - requestsBefore;

    const bool sameFiles =
        contents(fs::path(Paths::profiles()) / one) == contents(fs::path(Paths::profiles()) / parallel);
    const bool sameRecords = modsOf(one) == modsOf(parallel) && modsOf(one).size() == 40;
    std::printf("one at a time: %6.2f s\n", sequential);
    std::printf("4 in parallel: %6.2f s  = %.2fx one at a time (target <= 0.35x)\n", inParallel,
                inParallel / sequential);
    std::printf("second profile: %5.2f s  = %.3fx the parallel install, %zu requests (target <= 0.1x, 0)\n",
                fromCache, fromCache / inParallel, cachedRequests);
    std::printf(
        "  (the process used %.2f s of CPU meanwhile: on a busy machine the wall time waits for a core)\n",
        cacheCPU);
    std::printf("profile folders identical: %s; mod records identical: %s\n", sameFiles ? "yes" : "NO",
                sameRecords ? "yes" : "NO");
    status = sameFiles && sameRecords ? 0 : 1;
  }
  fs::remove_all(home);
  return status;
}
