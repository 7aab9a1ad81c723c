#include "sorting/section_boundaries.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvane::sorting {
namespace {

struct BoundaryCase {
  std::string text;
  bool isBoundary;
};

class StepLineTest : public ::testing::TestWithParam<BoundaryCase> {};

TEST_P(StepLineTest, LooksAtTheLastFourCharactersOnly) {
  EXPECT_EQ(IsStepLine(GetParam().text), GetParam().isBoundary) << "\"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Lines, StepLineTest,
                         ::testing::Values(BoundaryCase{"0 STEP", true}, BoundaryCase{"0 step", true},
                                           BoundaryCase{"0 StEp", true}, BoundaryCase{"STEP", true},
                                           BoundaryCase{"0 // next step", true},
                                           BoundaryCase{"0 ROTSTEP", true}, BoundaryCase{"0 STEP ", false},
                                           BoundaryCase{"0 STEP\t", false}, BoundaryCase{"0 STEPS", false},
                                           BoundaryCase{"TEP", false}, BoundaryCase{"", false},
                                           // Bytes of 0x80 and above never fold to a letter.
                                           BoundaryCase{"0 STE\xD0", false},
                                           BoundaryCase{"0 \xD3TEP", false}));

class ModelBoundaryLineTest : public ::testing::TestWithParam<BoundaryCase> {};

TEST_P(ModelBoundaryLineTest, FindsFileNoFileAndDataLines) {
  EXPECT_EQ(IsModelBoundaryLine(GetParam().text), GetParam().isBoundary) << "\"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ModelBoundaryLineTest,
    ::testing::Values(BoundaryCase{"0 FILE main.ldr", true}, BoundaryCase{"0 NOFILE", true},
                      BoundaryCase{"0 !DATA logo.png", true}, BoundaryCase{"0 file sub model.ldr", true},
                      BoundaryCase{"0 NoFile", true}, BoundaryCase{"0 !data x", true},
                      BoundaryCase{" \t0\t FILE x", true}, BoundaryCase{"0 FILE", true},
                      BoundaryCase{"0 FILE\tx", true}, BoundaryCase{"0 FILEX", false},
                      BoundaryCase{"0 NOFILES", false}, BoundaryCase{"0 DATA x", false},
                      BoundaryCase{"0FILE x", false}, BoundaryCase{"00 FILE x", false},
                      BoundaryCase{"0 // FILE x", false}, BoundaryCase{"1 0 FILE x", false},
                      BoundaryCase{"0 STEP", false}, BoundaryCase{"0", false}, BoundaryCase{"", false},
                      BoundaryCase{"0 F\xC9LE x", false}, BoundaryCase{"0 FILE\xA0x", false}));

}  // namespace
}  // namespace kelvane::sorting
