// The Config Files sheet's two loads: listing a profile's config folder of 150 files (each titled by the
// plugin line at its top) and opening a settings file of 2,000 entries (read and parsed). Each
// has a floor measured in the same run: reading the same bytes without understanding them.
//
//   quernhold_config_bench [benchmark flags]
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/fs.hpp"
#include "profiles/config_file.hpp"
#include "profiles/config_folder.hpp"
#include "testkit/config_samples.hpp"

namespace {
namespace fs = std::filesystem;

// A config folder as a heavily modded profile has it: 150 files, most of them settings files.
const fs::path& folder() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / "quernhold-config-bench";
    fs::remove_all(d);
    fs::create_directories(d / "Plans");
    for (int i = 0; i < 150; ++i) {
      std::string name = "mod" + std::to_string(i);
      if (i % 10 == 9)
        std::ofstream(d / "Plans" / (name + ".json")) << "{ \"pieces\": [1, 2, 3] }\n";
      else
        std::ofstream(d / (name + ".cfg")) << ConfigSamples::large(30, "Mod Number " + std::to_string(i));
    }
    std::ofstream(d / "big.cfg.bin") << ConfigSamples::large(2000);
    return d;
  }();
  return dir;
}

const fs::path bigFile() { return folder() / "big.cfg.bin"; }

void ListFolder150(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ConfigFolder::list(folder()));
}

// The floor of a listing: walking the folder and reading each file's first 4 KB.
void ListFloor150(benchmark::State& state) {
  std::string head(4096, '\0');
  for (auto _ : state) {
    size_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder())) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      in.read(head.data(), std::streamsize(head.size()));
      bytes += size_t(in.gcount());
    }
    benchmark::DoNotOptimize(bytes);
  }
}

void Open2000(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ConfigFile::read(bigFile()));
}

void OpenFloor2000(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FS::readFile(bigFile()));
}

// Writing one value back: the whole file's bytes with one line changed.
void Edit2000(benchmark::State& state) {
  ConfigFile file = ConfigFile::read(bigFile());
  size_t i = 0;
  for (auto _ : state) {
    file.setValue(i++ % file.entries().size(), "42");
    benchmark::DoNotOptimize(file.bytes());
  }
}
}  // namespace

BENCHMARK(ListFolder150)->Unit(benchmark::kMillisecond);
BENCHMARK(ListFloor150)->Unit(benchmark::kMillisecond);
BENCHMARK(Open2000)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenFloor2000)->Unit(benchmark::kMillisecond);
BENCHMARK(Edit2000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
