#include "sorting/keyed_selection_sort.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "sorting/plain_sort_reference.h"
#include "sorting/sort_run.h"

namespace kelvane::sorting {
namespace {

using Lines = std::vector<std::string>;

struct KeyedCase {
  const char* name;
  std::vector<float> keys;
  int direction;
  std::size_t start;
  Lines lines;
  Lines expected;
};

void PrintTo(const KeyedCase& c, std::ostream* out) { *out << c.name; }

class SortKeyedLinesTest : public ::testing::TestWithParam<KeyedCase> {};

TEST_P(SortKeyedLinesTest, LeavesTheOrderOfTheSelectionSortWithExchanges) {
  const KeyedCase& c = GetParam();
  SortRun run(SortOptions{});
  run.SectionLines = c.lines;
  run.SortKeys = c.keys;
  run.SortKeyedLines(c.direction, c.start);
  EXPECT_EQ(run.SectionLines, c.expected);
  EXPECT_TRUE(std::is_sorted(run.SortKeys.begin(), run.SortKeys.end(),
                             [&](float a, float b) { return c.direction == kAscending ? a < b : a > b; }));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortKeyedLinesTest,
    ::testing::Values(
        KeyedCase{"OneKey", {7}, kAscending, 0, {"A"}, {"A"}},
        // The exchange of step 0 moves A behind B.
        KeyedCase{"AscendingFiveFiveOne", {5, 5, 1}, kAscending, 0, {"A", "B", "C"}, {"C", "B", "A"}},
        KeyedCase{"DescendingOneFiveFive", {1, 5, 5}, kDescending, 0, {"A", "B", "C"}, {"B", "C", "A"}},
        KeyedCase{"AscendingThreeOneTwo", {3, 1, 2}, kAscending, 0, {"A", "B", "C"}, {"B", "C", "A"}},
        KeyedCase{"DescendingThreeOneTwo", {3, 1, 2}, kDescending, 0, {"A", "B", "C"}, {"A", "C", "B"}},
        KeyedCase{"AnyOtherDirectionIsDescending", {3, 1, 2}, 2, 0, {"A", "B", "C"}, {"A", "C", "B"}},
        KeyedCase{"EqualKeysKeepTheirOrder", {2, 2, 2}, kAscending, 0, {"A", "B", "C"}, {"A", "B", "C"}},
        KeyedCase{"Fractions",
                  {10.4F, 10.7F, 10.2F, 10.3F},
                  kAscending,
                  0,
                  {"4", "7", "2", "3"},
                  {"2", "3", "4", "7"}},
        KeyedCase{"OnlyTheRangeFromStart",
                  {3, 1, 2},
                  kAscending,
                  5,
                  {"a", "b", "c", "d", "e", "A", "B", "C", "f"},
                  {"a", "b", "c", "d", "e", "B", "C", "A", "f"}}),
    [](const auto& info) { return info.param.name; });

TEST(SortKeyedLinesTest, MoreKeysThanLinesAfterStartIsRefused) {
  SortRun run(SortOptions{});
  run.SectionLines = {"A", "B"};
  run.SortKeys = {2, 1};
  EXPECT_THROW(run.SortKeyedLines(kAscending, 1), std::out_of_range);
}

TEST(KeyedSelectionSortTest, MakesTheExchangesOfThePlainSelectionSort) {
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  std::mt19937 random(3);
  SortRun run(SortOptions{});  // one run for all trials: its storage must not leak between sorts
  KeyedSelectionSort sorter;
  for (int trial = 0; trial < 6000; ++trial) {
    // Few distinct keys, so that ties are everywhere; infinities and both zeros among them.
    const std::size_t count = random() % 301;
    const std::size_t alphabet = 1 + random() % 6;
    const std::size_t start = random() % 5;
    const int direction = random() % 2 ? kAscending : kDescending;
    std::vector<float> keys(count);
    for (float& key : keys) {
      const auto pick = random() % (alphabet + 3);
      key = pick < alphabet        ? static_cast<float>(pick) - 2
            : pick == alphabet     ? kInfinity
            : pick == alphabet + 1 ? -kInfinity
                                   : -0.0F;
    }
    Lines lines(start + count + random() % 3);
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = std::to_string(i);

    testing::ExchangeList expected;
    std::vector<float> expectedKeys = keys;
    Lines expectedLines = lines;
    testing::PlainSelectionSort(expectedKeys, expectedLines, start, direction, &expected);

    testing::ExchangeList actual;
    for (const auto& exchange : sorter.Exchanges(keys, direction == kAscending)) {
      actual.emplace_back(exchange.first, exchange.second);
    }
    ASSERT_EQ(actual, expected) << "trial " << trial << ", " << count << " keys";
    run.SectionLines = lines;
    run.SortKeys = keys;
    run.SortKeyedLines(direction, start);
    ASSERT_EQ(run.SectionLines, expectedLines) << "trial " << trial;
  }
}

}  // namespace
}  // namespace kelvane::sorting
