// The launch report of a 20 MB log that holds 10,000 exceptions (one of them repeated, every
// 1,000th another), read from the file, beside the floor of reading the same bytes; and the same
// parse from memory.
//
//   quernhold_launch_log_bench [benchmark flags]
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "diagnostics/launch_report_command.hpp"
#include "diagnostics/log_reader.hpp"
#include "foundation/fs.hpp"
#include "testkit/log_samples.hpp"

namespace {
namespace fs = std::filesystem;

const fs::path& logFile() {
  static const fs::path file = [] {
    fs::path f = fs::temp_directory_path() / "quernhold-launch-log-bench.log";
    std::ofstream(f, std::ios::binary) << LogSamples::repeatedExceptions(20u << 20, 10'000);
    return f;
  }();
  return file;
}

void ReportFromFile20MB(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Diagnostics::readLogFile(logFile()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fs::file_size(logFile())));
}

void ReadFloor20MB(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FS::readFile(logFile()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fs::file_size(logFile())));
}

void ReportFromMemory20MB(benchmark::State& state) {
  const std::string bytes = FS::readFile(logFile());
  for (auto _ : state) benchmark::DoNotOptimize(Diagnostics::readLog(bytes));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
}  // namespace

BENCHMARK(ReportFromFile20MB)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadFloor20MB)->Unit(benchmark::kMillisecond);
BENCHMARK(ReportFromMemory20MB)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
