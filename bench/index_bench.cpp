// Package-list decoding and the index cache, on a generated 10,000-package list.
//
//   quernhold_bench [benchmark flags] [LIST]      timings; "Ratios" compares them within one run
//   quernhold_bench --decode-only [--copy] [LIST] decodes once and prints the process's peak memory
//
// The floor is a bare simdjson On-Demand walk that reads the same members decodeIndex reads and
// builds nothing; decodeIndex should stay within twice its time.
#include <benchmark/benchmark.h>
#include <simdjson.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "catalogue/thunderstore.hpp"

namespace {
namespace od = simdjson::ondemand;

std::string listPath = QH_PACKAGE_LIST;

// The file's bytes with room for simdjson's padding, as the app's download buffer would have.
std::string readList(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  in.seekg(0, std::ios::end);
  std::string text;
  text.reserve(size_t(in.tellg()) + simdjson::SIMDJSON_PADDING);
  text.resize(size_t(in.tellg()));
  in.seekg(0);
  in.read(text.data(), std::streamsize(text.size()));
  return text;
}

std::string& list() {
  static std::string text = readList(listPath);
  return text;
}

size_t strings(od::value v) {
  size_t n = 0;
  for (std::string_view s : v.get_array()) n += s.size();
  return n;
}

size_t floorWalk(simdjson::padded_string_view json) {
  od::parser parser;
  od::document doc = parser.iterate(json);
  size_t sink = 0;
  for (od::object package : doc.get_array()) {
    for (od::field f : package) {
      od::raw_json_string key = f.key();
      od::value v = f.value();
      if (key == "versions") {
        bool newest = true;
        for (od::object version : v.get_array()) {
          for (od::field vf : version) {
            od::raw_json_string vk = vf.key();
            od::value vv = vf.value();
            if (vk == "version_number")
              sink += std::string_view(vv).size();
            else if (vk == "downloads")
              sink += vv.is_null() ? 0 : size_t(int64_t(vv));
            else if (!newest || vv.is_null())
              continue;
            else if (vk == "description" || vk == "icon")
              sink += std::string_view(vv).size();
            else if (vk == "dependencies")
              sink += strings(vv);
          }
          newest = false;
        }
      } else if (v.is_null()) {
        continue;
      } else if (key == "full_name" || key == "owner" || key == "name" || key == "package_url" ||
                 key == "date_updated") {
        sink += std::string_view(v).size();
      } else if (key == "rating_score") {
        sink += size_t(int64_t(v));
      } else if (key == "is_deprecated" || key == "has_nsfw_content") {
        sink += bool(v);
      } else if (key == "categories") {
        sink += strings(v);
      }
    }
  }
  return sink;
}

simdjson::padded_string_view paddedList() {
  std::string& text = list();
  return simdjson::padded_string_view(text.data(), text.size(), text.capacity());
}

void Floor(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(floorWalk(paddedList()));
  state.SetBytesProcessed(int64_t(state.iterations() * list().size()));
}

void DecodeIndex(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Thunderstore::decodeIndex(list()));
  state.SetBytesProcessed(int64_t(state.iterations() * list().size()));
}

void DecodeIndexFromCopy(benchmark::State& state) {
  std::string_view text = list();
  for (auto _ : state) benchmark::DoNotOptimize(Thunderstore::decodeIndex(text));
  state.SetBytesProcessed(int64_t(state.iterations() * list().size()));
}

void EncodeCache(benchmark::State& state) {
  auto packages = Thunderstore::decodeIndex(list());
  for (auto _ : state) benchmark::DoNotOptimize(Thunderstore::encodeCache(packages));
}

void DecodeCache(benchmark::State& state) {
  std::string cache = Thunderstore::encodeCache(Thunderstore::decodeIndex(list()));
  for (auto _ : state) benchmark::DoNotOptimize(Thunderstore::decodeCache(cache));
  state.counters["cache_MB"] = double(cache.size()) / 1e6;
}

// Floor, decode and cache read interleaved in every iteration, so a busy machine slows all of
// them alike; the best time of each gives the ratios.
void Ratios(benchmark::State& state) {
  std::string cache = Thunderstore::encodeCache(Thunderstore::decodeIndex(list()));
  double best[3] = {1e9, 1e9, 1e9};
  auto time = [](double& bestSeconds, auto&& work) {
    auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(work());
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    bestSeconds = std::min(bestSeconds, took.count());
  };
  for (auto _ : state) {
    time(best[0], [] { return floorWalk(paddedList()); });
    time(best[1], [] { return Thunderstore::decodeIndex(list()); });
    time(best[2], [&] { return Thunderstore::decodeCache(cache); });
  }
  state.counters["floor_ms"] = best[0] * 1e3;
  state.counters["decode_ms"] = best[1] * 1e3;
  state.counters["cache_read_ms"] = best[2] * 1e3;
  state.counters["decode/floor"] = best[1] / best[0];
  state.counters["cache_read/decode"] = best[2] / best[1];
}

BENCHMARK(Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeIndexFromCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeCache)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeCache)->Unit(benchmark::kMillisecond);
BENCHMARK(Ratios)->Unit(benchmark::kMillisecond)->Iterations(10);

double peakBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
#ifdef __APPLE__
  return double(usage.ru_maxrss);  // bytes on macOS
#else
  return double(usage.ru_maxrss) * 1024;  // kilobytes elsewhere
#endif
}

// What the app does with a downloaded list: decode it, in place unless `copy`.
int decodeOnly(bool copy) {
  std::string text = readList(listPath);
  size_t count = copy ? Thunderstore::decodeIndex(std::string_view(text)).size()
                      : Thunderstore::decodeIndex(text).size();
  double size = double(text.size());
  std::printf("%zu packages from %.1f MB; peak memory %.1f MB = %.2fx the document (%s)\n", count, size / 1e6,
              peakBytes() / 1e6, peakBytes() / size, copy ? "from a copy" : "in place");
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bool decode = false, copy = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--decode-only")
      decode = true;
    else if (arg == "--copy")
      copy = true;
    else
      listPath = arg;
  }
  if (decode) return decodeOnly(copy);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
