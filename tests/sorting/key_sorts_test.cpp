#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "sorting/sort_run.h"

namespace kelvane::sorting {
namespace {

using Lines = std::vector<std::string>;

std::string PartLine(const std::string& color, const std::string& x, const std::string& y,
                     const std::string& z, const std::string& file = "3001.dat") {
  return std::string("1 ") + color + " " + x + " " + y + " " + z + " 1 0 0 0 1 0 0 0 1 " + file;
}

SortOptions ByCoordinates(std::array<int, 3> keyOrder, bool xAscending, bool yAscending, bool zAscending) {
  SortOptions options;
  options.keyOrder = keyOrder;
  options.xAscending = xAscending;
  options.yAscending = yAscending;
  options.zAscending = zAscending;
  return options;
}

SortOptions ByKey(SortKey key, bool ascending) {
  SortOptions options;
  options.sortKey = key;
  options.partAscending = ascending;
  options.colorAscending = ascending;
  return options;
}

struct SectionCase {
  const char* name;
  SortOptions options;
  Lines lines;
  std::vector<int> expectedOrder;  // indices into lines
};

void PrintTo(const SectionCase& c, std::ostream* out) { *out << c.name; }

class SortSectionTest : public ::testing::TestWithParam<SectionCase> {};

TEST_P(SortSectionTest, OrdersTheSectionAsTheOptionsSay) {
  const SectionCase& c = GetParam();
  SortRun run(c.options);
  run.SectionLines = c.lines;
  run.SortSection();
  Lines expected;
  for (int index : c.expectedOrder) expected.push_back(c.lines[static_cast<std::size_t>(index)]);
  EXPECT_EQ(run.SectionLines, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortSectionTest,
    ::testing::Values(
        // Largest y first, then largest z, then smallest x.
        SectionCase{
            "YThenZThenX",
            ByCoordinates({1, 2, 0}, true, false, false),
            {PartLine("4", "5", "0", "1"), PartLine("4", "1", "-8", "0"), PartLine("4", "0", "0", "1"),
             PartLine("4", "9", "0", "2"), PartLine("4", "3", "-8", "0")},
            {3, 2, 0, 1, 4}},
        SectionCase{"XThenZThenYAscending",
                    ByCoordinates({0, 2, 1}, true, true, true),
                    {PartLine("4", "2", "9", "1"), PartLine("4", "1", "5", "3"), PartLine("4", "2", "1", "0"),
                     PartLine("4", "1", "4", "3")},
                    {3, 1, 2, 0}},
        SectionCase{"EqualYAndZThenSmallestXFirst",
                    ByCoordinates({1, 2, 0}, true, false, false),
                    {PartLine("4", "10", "0", "0"), PartLine("4", "-5", "0", "0")},
                    {1, 0}},
        // 10 and 10.0 are one value, so the second key orders them.
        SectionCase{"EqualValuesWrittenDifferentlyTie",
                    ByCoordinates({0, 1, 2}, true, true, true),
                    {PartLine("4", "10.0", "5", "0"), PartLine("4", "10", "1", "0")},
                    {1, 0}},
        // Both round to the same float key, so the first sort keeps them; but the runs compare the
        // exact values, which differ, so the second key never orders them.
        SectionCase{"NearlyEqualValuesAreNotARun",
                    ByCoordinates({0, 1, 2}, true, true, true),
                    {PartLine("4", "1.00000002", "5", "0"), PartLine("4", "1.00000001", "1", "0")},
                    {0, 1}},
        SectionCase{"ExponentsSortByValue",
                    ByCoordinates({0, 1, 2}, true, true, true),
                    {PartLine("4", "1e-004", "0", "0"), PartLine("4", "1e-005", "0", "0"),
                     PartLine("4", "-1.5E2", "0", "0")},
                    {2, 1, 0}},
        SectionCase{
            "AllFirstKeysDifferLeavesTheLaterKeysNothingToDo",
            ByCoordinates({0, 1, 2}, true, true, true),
            {PartLine("4", "2", "0", "9"), PartLine("4", "1", "9", "0"), PartLine("4", "3", "5", "5")},
            {1, 0, 2}},
        SectionCase{"PartNumberDescending",
                    ByKey(SortKey::kPartNumber, false),
                    {PartLine("4", "0", "0", "0", "456.dat"), PartLine("4", "0", "0", "0", "973.dat"),
                     PartLine("4", "0", "0", "0", "973p01.dat")},
                    {1, 2, 0}},
        // 973 and 973p01 share the key 973; the selection sort's exchange puts 973 behind 973p01.
        SectionCase{"PartNumberTiesFollowTheSelectionSort",
                    ByKey(SortKey::kPartNumber, true),
                    {PartLine("4", "0", "0", "0", "973.dat"), PartLine("4", "0", "0", "0", "973p01.dat"),
                     PartLine("4", "0", "0", "0", "456.dat")},
                    {2, 1, 0}},
        SectionCase{
            "NamesWithoutDigitsComeFirstAscending",
            ByKey(SortKey::kPartNumber, true),
            {PartLine("4", "0", "0", "0", "3001.dat"), PartLine("4", "0", "0", "0", "s\\3001s01.dat")},
            {1, 0}},
        SectionCase{
            "ColorsAreNumbers",
            ByKey(SortKey::kColor, true),
            {PartLine("15", "0", "0", "0"), PartLine("4", "0", "0", "0"), PartLine("0", "0", "0", "0")},
            {2, 1, 0}},
        SectionCase{"HexadecimalColorReadsAsZero",
                    ByKey(SortKey::kColor, false),
                    {PartLine("0x2FF0000", "0", "0", "0"), PartLine("1", "0", "0", "0")},
                    {1, 0}}),
    [](const auto& info) { return info.param.name; });

TEST(SortByKeyTest, AKeyCodeOutsideZeroToFourLeavesTheSection) {
  const Lines lines{PartLine("4", "3", "0", "0"), PartLine("2", "1", "0", "0"), PartLine("1", "2", "0", "0")};
  for (const int key : {-1, 5}) {
    SortRun run(SortOptions{});
    run.SectionLines = lines;
    run.SortByKey(key, kAscending);
    EXPECT_EQ(run.SectionLines, lines) << "key " << key;
  }
}

TEST(SortByKeyTest, KeySortsCalledOnTheirOwnReadTheLines) {
  SortRun run(SortOptions{});
  const Lines lines{PartLine("4", "3", "5", "1"), PartLine("4", "1", "5", "1"), PartLine("4", "2", "5", "0"),
                    PartLine("4", "0", "3", "1")};
  run.SectionLines = lines;
  run.SortBySecondKey(kKeyY, kKeyZ, kAscending);  // runs of equal y: 0 1 2 | 3
  EXPECT_EQ(run.SectionLines, (Lines{lines[2], lines[1], lines[0], lines[3]}));
  run.SortByThirdKey(kKeyY, kKeyZ, kKeyX, kDescending);  // runs of equal y and z: 2 | 1 0 | 3
  EXPECT_EQ(run.SectionLines, (Lines{lines[2], lines[0], lines[1], lines[3]}));
}

struct KeyOrderCase {
  std::array<int, 3> given;
  std::array<int, 3> effective;
};

TEST(EffectiveKeyOrderTest, AnythingButAPermutationBecomesYZX) {
  for (const KeyOrderCase& c : std::vector<KeyOrderCase>{{{0, 1, 2}, {0, 1, 2}},
                                                         {{2, 0, 1}, {2, 0, 1}},
                                                         {{0, 0, 1}, {1, 2, 0}},
                                                         {{0, 1, 3}, {1, 2, 0}},
                                                         {{-1, 0, 1}, {1, 2, 0}}}) {
    EXPECT_EQ(EffectiveKeyOrder(c.given), c.effective);
  }
}

}  // namespace
}  // namespace kelvane::sorting
