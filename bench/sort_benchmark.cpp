// The engine's speed on large inputs: the sort command over a million-line model, and the fast keyed
// selection sort against the plain O(n^2) procedure whose exchanges it reproduces.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "document/check_rules.h"
#include "document/line_list.h"
#include "sorting/plain_sort_reference.h"
#include "sorting/sort_command.h"
#include "sorting/sort_run.h"
#include "synthetic_model.h"

namespace {

using kelvane::document::LineList;

constexpr std::size_t kModelLines = 1'000'000;
constexpr std::size_t kKeyCount = 32'767;

const std::vector<std::string>& Model() {
  static const std::vector<std::string> model = kelvane::bench::MakeSyntheticModel(kModelLines, 1);
  return model;
}

LineList CheckedModel() {
  LineList lines(Model());
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    if (kelvane::document::IsCheckable(lines.Text(i))) lines.SetChecked(i, true);
  }
  return lines;
}

void SortCommand(benchmark::State& state, bool betweenSteps) {
  kelvane::sorting::SortOptions options;
  options.betweenSteps = betweenSteps;
  for (auto _ : state) {
    state.PauseTiming();
    LineList lines = CheckedModel();
    state.ResumeTiming();
    benchmark::DoNotOptimize(kelvane::sorting::SortCheckedLines(lines, options));
    state.PauseTiming();
    lines = LineList();  // freeing a million lines is not the sort's work
    state.ResumeTiming();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kModelLines));
}

void BM_SortCheckedLines_Steps(benchmark::State& state) { SortCommand(state, true); }
void BM_SortCheckedLines_NoSteps(benchmark::State& state) { SortCommand(state, false); }
BENCHMARK(BM_SortCheckedLines_Steps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortCheckedLines_NoSteps)->Unit(benchmark::kMillisecond);

// Keys as a coordinate sort meets them: the parts' Y coordinates, 61 values in all, so most are tied.
std::pair<std::vector<float>, std::vector<std::string>> KeyedInput() {
  std::vector<float> keys;
  std::vector<std::string> lines;
  const auto model = kelvane::bench::MakeSyntheticModel(kKeyCount * 2, 7);
  for (const std::string& line : model) {
    if (keys.size() == kKeyCount) break;
    if (!kelvane::document::IsCheckable(line)) continue;
    keys.push_back(static_cast<float>(kelvane::sorting::KeyValue(line, kelvane::sorting::kKeyY)));
    lines.push_back(line);
  }
  return {std::move(keys), std::move(lines)};
}

// The fast keyed sort as the key sorts call it, against the plain O(n^2) procedure that the engine's
// tests hold it to.
void BM_SortKeyedLines_Fast(benchmark::State& state) {
  const auto input = KeyedInput();
  kelvane::sorting::KeyedSelectionSort sorter;
  for (auto _ : state) {
    state.PauseTiming();
    auto [keys, lines] = input;
    state.ResumeTiming();
    for (const auto& exchange : sorter.Exchanges(keys, true)) {
      std::swap(keys[exchange.first], keys[exchange.second]);
      lines[exchange.first].swap(lines[exchange.second]);
    }
    benchmark::DoNotOptimize(keys.data());
  }
}

void BM_SortKeyedLines_Plain(benchmark::State& state) {
  const auto input = KeyedInput();
  for (auto _ : state) {
    state.PauseTiming();
    auto [keys, lines] = input;
    state.ResumeTiming();
    kelvane::sorting::testing::PlainSelectionSort(keys, lines, 0, kelvane::sorting::kAscending);
    benchmark::DoNotOptimize(keys.data());
  }
}

BENCHMARK(BM_SortKeyedLines_Fast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortKeyedLines_Plain)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace

BENCHMARK_MAIN();
