// A profile's history: a snapshot of a profile with 60 mods and 150 config files (3 MB) when nothing
// changed since the last one (with 100 snapshots already kept, so each one also prunes) and when
// every file changed, beside the floor of copying the same files; and listing 100 snapshots with
// their short diffs against the current state.
//
//   quernhold_history_bench [benchmark flags]
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/fs.hpp"
#include "history/history.hpp"
#include "profiles/profile_store.hpp"
#include "testkit/config_samples.hpp"

namespace {
namespace fs = std::filesystem;

constexpr int configFiles = 150;
constexpr size_t configFileBytes = 20'000;  // 150 of them: 3 MB

const fs::path& root() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / "quernhold-history-bench";
    fs::remove_all(d);
    return d;
  }();
  return dir;
}

// A profile folder with 60 mods and 150 settings files; `round` makes every file's bytes new.
void writeProfile(const fs::path& dir, int round) {
  Profile profile{"BENCH", "Bench", now(), "5.4.2202", "5.4.2202", {}};
  for (int i = 0; i < 60; ++i) {
    const std::string version = "1." + std::to_string(i) + "." + std::to_string(round);
    profile.mods.push_back(
        {"Owner" + std::to_string(i), "Mod_" + std::to_string(i), version, version, true, i % 3 != 0});
  }
  FS::mkdir(dir / "BepInEx" / "config");
  FS::writeAtomic(dir / "profile.json", ProfileStore::encodeProfile(profile));
  for (int i = 0; i < configFiles; ++i) {
    std::string bytes =
        "## round " + std::to_string(round) + "\n" + ConfigSamples::large(200, "Mod " + std::to_string(i));
    bytes.resize(configFileBytes, '\n');
    std::ofstream(dir / "BepInEx" / "config" / ("mod" + std::to_string(i) + ".cfg"), std::ios::binary)
        << bytes;
  }
}

fs::path freshProfile(const std::string& name) {
  const fs::path dir = root() / name;
  fs::remove_all(dir);
  writeProfile(dir, 0);
  return dir;
}

void SnapshotUnchanged(benchmark::State& state) {
  const fs::path dir = freshProfile("unchanged");
  for (int i = 0; i < 100; ++i) History::snapshot(dir, {"filling"});
  for (auto _ : state) History::snapshot(dir, {"nothing changed"});
}

// Profiles whose files no snapshot holds yet, made before the clock starts: one per iteration.
std::vector<fs::path> unsnapshotted(const std::string& name, int count) {
  std::vector<fs::path> dirs;
  for (int i = 0; i < count; ++i) {
    dirs.push_back(root() / (name + std::to_string(i)));
    fs::remove_all(dirs.back());
    writeProfile(dirs.back(), i);
  }
  return dirs;
}

constexpr int changedRuns = 30;

using Clock = std::chrono::steady_clock;

// The files of a profile copied into a new folder: what a snapshot that stores everything anew
// cannot beat.
void copyProfile(const fs::path& from, const fs::path& to) {
  fs::create_directories(to / "BepInEx" / "config");
  fs::copy_file(from / "profile.json", to / "profile.json");
  for (const auto& entry : fs::directory_iterator(from / "BepInEx" / "config"))
    fs::copy_file(entry.path(), to / "BepInEx" / "config" / entry.path().filename());
}

// Each iteration copies one profile (the floor) and snapshots another just like it, whose files no
// snapshot holds yet, turn about, so both meet the same disk; the time is the snapshot's.
void SnapshotAllChanged(benchmark::State& state) {
  const auto dirs = unsnapshotted("changed", 2 * changedRuns);
  size_t i = 0;
  Clock::duration snapshots{}, copies{};
  for (auto _ : state) {
    const auto start = Clock::now();
    copyProfile(dirs[i], dirs[i].string() + "-copy");
    const auto copied = Clock::now();
    History::snapshot(dirs[i + 1], {"everything changed"});
    const auto done = Clock::now();
    copies += copied - start;
    snapshots += done - copied;
    state.SetIterationTime(std::chrono::duration<double>(done - copied).count());
    i += 2;
  }
  const double n = double(state.iterations());
  state.counters["copy_floor_ms"] = std::chrono::duration<double, std::milli>(copies).count() / n;
  state.counters["x_floor"] = double(snapshots.count()) / double(copies.count());
}

// 100 snapshots, each after a mod and a config file changed.
void List100(benchmark::State& state) {
  const fs::path dir = freshProfile("list");
  for (int i = 0; i < 100; ++i) {
    Profile profile = ProfileStore::decodeProfile(FS::readFile(dir / "profile.json"));
    profile.mods[size_t(i % 60)].version = "9.9." + std::to_string(i);
    FS::writeAtomic(dir / "profile.json", ProfileStore::encodeProfile(profile));
    FS::writeAtomic(dir / "BepInEx" / "config" / ("mod" + std::to_string(i % configFiles) + ".cfg"),
                    "changed " + std::to_string(i));
    History::snapshot(dir, {"change " + std::to_string(i)});
  }
  for (auto _ : state) {
    const auto rows = History::list(dir);
    if (rows.size() != 100) state.SkipWithError("not 100 snapshots");
  }
}
}  // namespace

BENCHMARK(SnapshotUnchanged)->Unit(benchmark::kMillisecond);
BENCHMARK(SnapshotAllChanged)->Unit(benchmark::kMillisecond)->Iterations(changedRuns)->UseManualTime();
BENCHMARK(List100)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
