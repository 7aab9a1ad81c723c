// The engine's speed on large inputs: the sort command over a million-line model, and the fast keyed
// selection sort against the plain O(n^2) procedure whose exchanges it reproduces.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "document/check_rules.h"
#include "document/line_list.h"
#include "sorting/keyed_selection_sort.h"
#include "sorting/sort_command.h"
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

// Keys as a coordinate sort meets them: few distinct values, so most keys are tied.
std::pair<std::vector<float>, std::vector<std::string>> KeyedInput() {
  std::vector<float> keys;
  std::vector<std::string> lines;
  const auto model = kelvane::bench::MakeSyntheticModel(kKeyCount * 2, 7);
  for (const std::string& line : model) {
    if (keys.size() == kKeyCount) break;
    if (!kelvane::document::IsCheckable(line)) continue;
    keys.push_back(static_cast<float>(keys.size() * 2654435761u % 31) * 8.0f - 120.0f);
    lines.push_back(line);
  }
  return {std::move(keys), std::move(lines)};
}

// The textbook procedure: for each position, the leftmost smallest key of the rest is exchanged into
// it, its line with it. The fast sort must make the same exchanges; this is what it is measured
// against.
void PlainSelectionSort(std::vector<float>& keys, std::vector<std::string>& lines) {
  for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
    std::size_t best = i;
    for (std::size_t j = i + 1; j < keys.size(); ++j) {
      if (keys[j] < keys[best]) best = j;
    }
    if (best != i) {
      std::swap(keys[i], keys[best]);
      std::swap(lines[i], lines[best]);
    }
  }
}

void BM_KeyedSort_Fast(benchmark::State& state) {
  const auto input = KeyedInput();
  kelvane::sorting::KeyedSelectionSort sorter;
  for (auto _ : state) {
    state.PauseTiming();
    auto [keys, lines] = input;
    state.ResumeTiming();
    sorter.Sort(keys, lines, true);
    benchmark::DoNotOptimize(keys.data());
  }
}

void BM_KeyedSort_Plain(benchmark::State& state) {
  const auto input = KeyedInput();
  for (auto _ : state) {
    state.PauseTiming();
    auto [keys, lines] = input;
    state.ResumeTiming();
    PlainSelectionSort(keys, lines);
    benchmark::DoNotOptimize(keys.data());
  }
}

BENCHMARK(BM_KeyedSort_Fast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyedSort_Plain)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
