// The browse list on a generated 10,000-package index: what one keystroke in the search field
// and one change of the sort order cost, against a floor walk over the same index.
//
//   quernhold_browse_bench [benchmark flags] [LIST]
//
// "Ratios" interleaves the three in every iteration, so a busy machine slows all alike, and
// reports their medians.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/package_list_model.hpp"
#include "app/translations.hpp"
#include "catalogue/thunderstore.hpp"

namespace {
std::string listPath = QH_PACKAGE_LIST;

std::shared_ptr<const std::vector<TSPackage>> index() {
  static auto packages = [] {
    std::ifstream in(listPath, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + listPath);
    std::stringstream text;
    text << in.rdbuf();
    return std::make_shared<const std::vector<TSPackage>>(Thunderstore::decodeIndex(text.str()));
  }();
  return packages;
}

// The search text as a player types it, one character at a time, then erases it.
std::vector<QString> keystrokes() {
  const QString typed = QStringLiteral("better sword");
  std::vector<QString> texts;
  for (qsizetype n = 1; n <= typed.size(); ++n) texts.push_back(typed.left(n));
  for (qsizetype n = typed.size() - 1; n >= 0; --n) texts.push_back(typed.left(n));
  return texts;
}

// The least any filter does: one pass over the index reading the flags.
size_t floorWalk(const std::vector<TSPackage>& packages) {
  size_t kept = 0;
  for (const TSPackage& p : packages) kept += !p.nsfw && !p.deprecated;
  return kept;
}

void Keystroke(benchmark::State& state) {
  PackageListModel model;
  model.setIndex(index());
  const auto texts = keystrokes();
  size_t i = 0;
  for (auto _ : state) model.setQuery(texts[i++ % texts.size()]);
}

void SortSwitch(benchmark::State& state) {
  PackageListModel model;
  model.setIndex(index());
  int sort = 0;
  for (auto _ : state) model.setSortOrder(++sort % 4);
}

double median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

void Ratios(benchmark::State& state) {
  PackageListModel model;
  model.setIndex(index());
  const auto texts = keystrokes();
  std::vector<double> floor, keystroke, sort;
  auto time = [](std::vector<double>& into, auto&& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    into.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  };
  size_t i = 0;
  int order = 0;
  for (auto _ : state) {
    time(floor, [] { benchmark::DoNotOptimize(floorWalk(*index())); });
    time(keystroke, [&] { model.setQuery(texts[i++ % texts.size()]); });
    time(sort, [&] { model.setSortOrder(++order % 4); });
  }
  state.counters["floor_ms"] = median(floor);
  state.counters["keystroke_ms"] = median(keystroke);
  state.counters["sort_ms"] = median(sort);
  state.counters["keystroke/floor"] = median(keystroke) / median(floor);
}

BENCHMARK(Keystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(SortSwitch)->Unit(benchmark::kMillisecond);
BENCHMARK(Ratios)->Unit(benchmark::kMillisecond)->Iterations(100);
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  installTranslations();
  benchmark::Initialize(&argc, argv);
  if (argc > 1) listPath = argv[1];
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
