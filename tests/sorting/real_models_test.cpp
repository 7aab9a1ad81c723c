#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "document/check_rules.h"
#include "document/model_file_reader.h"
#include "sorting/plain_sort_reference.h"
#include "sorting/section_boundaries.h"
#include "sorting/sort_command.h"
#include "support/temporary_folder.h"

namespace kelvane::sorting {
namespace {

using Texts = std::vector<std::string>;

// The checked texts of each stretch between lines that no part may cross, each stretch sorted.
std::vector<Texts> CheckedTextsPerStretch(const document::LineList& lines, bool betweenSteps) {
  std::vector<Texts> stretches(1);
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    if (lines.IsChecked(i)) stretches.back().push_back(lines.Text(i));
    if ((betweenSteps && IsStepLine(lines.Text(i))) || IsModelBoundaryLine(lines.Text(i)))
      stretches.emplace_back();
  }
  for (Texts& stretch : stretches) std::sort(stretch.begin(), stretch.end());
  return stretches;
}

class RealModelTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RealModelTest, EverySortKeepsLinesInTheirPlaceStepAndModel) {
  const document::ReadResult file = document::ReadModelFile(kelvane::testing::TestDataPath(GetParam()));
  ASSERT_EQ(file.status, document::ReadResult::Status::kLoaded) << file.reason;
  document::LineList original(file.lines);
  for (std::size_t i = 0; i < original.Size(); ++i)
    original.SetChecked(i, document::IsCheckable(original.Text(i)));

  for (const SortKey key : {SortKey::kCoordinates, SortKey::kPartNumber, SortKey::kColor}) {
    for (const bool betweenSteps : {true, false}) {
      SCOPED_TRACE(::testing::Message()
                   << "sort key " << static_cast<int>(key) << ", steps " << betweenSteps);
      SortOptions options;
      options.sortKey = key;
      options.betweenSteps = betweenSteps;
      document::LineList lines = original;
      EXPECT_EQ(SortCheckedLines(lines, options), original.CheckedCount() >= 2);

      for (std::size_t i = 0; i < lines.Size(); ++i) {
        ASSERT_EQ(lines.IsChecked(i), original.IsChecked(i));
        if (!lines.IsChecked(i)) {
          ASSERT_EQ(lines.Text(i), original.Text(i)) << "line " << i + 1 << " moved";
        }
      }
      // The checked lines are a permutation of themselves within every step (with steps) and model.
      EXPECT_EQ(CheckedTextsPerStretch(lines, betweenSteps), CheckedTextsPerStretch(original, betweenSteps));
      // By definition, and with nothing left to do a second time.
      document::LineList plain = original;
      testing::PlainSortCheckedLines(plain, options);
      EXPECT_EQ(lines.Texts(), plain.Texts());
      SortCheckedLines(lines, options);
      EXPECT_EQ(lines.Texts(), plain.Texts());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(TestData, RealModelTest,
                         ::testing::Values("bricksmith_bum_aligned_columns.ldr", "car_beta027_lf.DAT",
                                           "ldrawlib_car.ldr", "ldrawlib_car_2008_leadspace.dat",
                                           "ldview_colors_aligned_columns.ldr", "leocad_tutorial1_lf.ldr",
                                           "omr_10174_atst_ucs_packed_mixedeol.mpd",
                                           "omr_4489_atat_mini_noeol.mpd", "omr_7140_xwing_noeol.mpd"),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::replace_if(
                               name.begin(), name.end(),
                               [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                           return name;
                         });

}  // namespace
}  // namespace kelvane::sorting
