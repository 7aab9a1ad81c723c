#include "settings/startup_plan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/memory_settings_store.h"
#include "document/folder_listing.h"
#include "support/temporary_folder.h"

namespace kelvane::settings {
namespace {

using enum SettingKey;
using enum PathStyle;
using enum WindowState;
using Stored = std::vector<std::pair<SettingKey, std::string>>;
using Bounds = std::array<std::optional<float>, 4>;  // left, top, width, height

Bounds Of(const WindowGeometry& g) { return {g.left, g.top, g.width, g.height}; }

class StartupPlanTest : public ::testing::Test {
 protected:
  StartupPlan Plan(const Stored& stored, std::string commandLine = "") {
    MemorySettingsStore store;
    for (const auto& [key, text] : stored) WriteSetting(store, key, text);
    return PlanStartup(store, {screen_, 11565, 9165, std::move(commandLine), home_.Path(), kPosix});
  }
  testing::TemporaryFolder home_;
  ScreenMetrics screen_{15, 15, 1920 * 15, 1080 * 15};
};

TEST_F(StartupPlanTest, EmptyStoreGivesTheFirstRunDefaults) {
  const StartupPlan plan = Plan({});
  EXPECT_EQ(plan.datPath, home_.Path());
  EXPECT_EQ(std::tuple(plan.backupFile, plan.sortOption, plan.betweenSteps), std::tuple(true, 0, true));
  EXPECT_EQ(plan.sortKeyOrder, (std::array{1, 2, 0}));
  EXPECT_EQ(plan.directionIndex, (std::array<std::optional<int>, 3>{1, 0, 0}));
  EXPECT_EQ(plan.windowState, kNormal);
  EXPECT_EQ(plan.fileToOpen, std::nullopt);
  // 800 x 600 pixels centred by integer halving, off the edges of a screen smaller than that.
  for (const auto& [screen, bounds] : {std::pair<ScreenMetrics, Bounds>{screen_, {8400, 3600, 12000, 9000}},
                                       {{12, 12, 1365 * 12, 767 * 12}, {3390, 1002, 9600, 7200}},
                                       {{15, 15, 11985, 8985}, {-7, -7, 12000, 9000}}}) {
    screen_ = screen;
    EXPECT_EQ(Of(Plan({}).geometry), bounds) << screen.width;
  }
}

// Sort option, backup and between steps after one stored text; nothing where the step is skipped.
TEST_F(StartupPlanTest, StoredTextsThatTheControlsRefuseAreSkipped) {
  using Options = std::tuple<std::optional<int>, std::optional<bool>, std::optional<bool>>;
  const std::tuple<SettingKey, const char*, Options> cases[] = {
      {kSortOption, "5", {{}, true, true}},        {kSortOption, "-1", {{}, true, true}},
      {kSortOption, "by color", {{}, true, true}}, {kSortOption, "1.5", {2, true, true}},
      {kBackupFile, "0", {0, false, true}},        {kBackupFile, "2", {0, {}, true}},
      {kBackupFile, "False", {0, {}, true}},       {kBetweenSteps, "0", {0, true, false}},
      {kBetweenSteps, "", {0, true, {}}},
  };
  for (const auto& [key, text, options] : cases) {
    const StartupPlan p = Plan({{key, text}});
    EXPECT_EQ(Options(p.sortOption, p.backupFile, p.betweenSteps), options) << Definition(key).name << text;
  }
}

// The buttons of a pair are set in turn, the second one last; a pair with no "True" keeps its design.
TEST_F(StartupPlanTest, DirectionPairsEndWithTheLastTrueButton) {
  const std::tuple<const char*, const char*, std::optional<int>> cases[] = {
      {"True", "True", 1}, {"True", "False", 0}, {"False", "True", 1},  {"False", "False", {}},
      {"junk", "True", 1}, {"True", "junk", 0},  {"junk", "False", {}}, {"-1", "0", 0},
  };
  for (const auto& [first, second, index] : cases) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const auto plan = Plan({{kDirectionKeys[axis][0], first}, {kDirectionKeys[axis][1], second}});
      EXPECT_EQ(plan.directionIndex[axis], index) << "axis " << axis << ": " << first << ", " << second;
    }
  }
}

TEST_F(StartupPlanTest, KeyOrderThatIsNotAPermutationBecomesTheFirstRunOrder) {
  const std::pair<std::array<const char*, 3>, std::array<int, 3>> cases[] = {
      {{"0", "1", "2"}, {0, 1, 2}}, {{"1", "1", "0"}, {1, 2, 0}}, {{"3", "1", "0"}, {1, 2, 0}},
      {{"x", "2", "1"}, {0, 2, 1}}, {{"x", "2", "0"}, {1, 2, 0}}, {{"2.4", "0.5", "1"}, {2, 0, 1}},
  };
  for (const auto& [t, order] : cases) {
    const auto plan = Plan({{kSortKeyOrder0, t[0]}, {kSortKeyOrder1, t[1]}, {kSortKeyOrder2, t[2]}});
    EXPECT_EQ(plan.sortKeyOrder, order) << t[0] << ' ' << t[1] << ' ' << t[2];
  }
}

// A maximised window keeps the centred first-run bounds for its normal state. A size the window
// refuses leaves the created 11565 x 9165, which the default position centres: (28800 - 11565) / 2.
TEST_F(StartupPlanTest, WindowStateAndBounds) {
  const std::tuple<const char*, std::optional<WindowState>, Bounds> cases[] = {
      {"0", kNormal, {-150, 40000, 15000, 10500}}, {"1", kMinimised, {-150, 40000, 15000, 10500}},
      {"2", kMaximised, {8400, 3600, 12000, 9000}}, {"7", {}, {-150, 40000, 15000, 10500}},
  };
  for (const auto& [text, state, bounds] : cases) {
    const auto plan = Plan({{kWindowState, text}, {kWindowLeft, "-150"}, {kWindowTop, "40000"},
                            {kWindowWidth, "15000"}, {kWindowHeight, "10500"}});
    EXPECT_EQ(std::pair(plan.windowState, Of(plan.geometry)), std::pair(state, bounds)) << text;
  }
  EXPECT_EQ(Of(Plan({{kWindowWidth, "-5"}, {kWindowHeight, "wide"}}).geometry), (Bounds{8617, 3517, {}, {}}));
  const auto huge = Of(Plan({{kWindowWidth, "1000000000000"}, {kWindowLeft, "-1000000000000"}}).geometry);
  EXPECT_EQ(huge, (Bounds{std::nullopt, 3600, {}, 9000}));
}

TEST_F(StartupPlanTest, StoredFolderIsCheckedAndGetsItsFinalSeparator) {
  testing::TemporaryFolder m;
  const std::pair<std::string, std::string> cases[] = {
      {m.Path(), m.Path()}, {m.Path().substr(0, m.Path().size() - 1), m.Path()},
      {m.File("gone/"), home_.Path()}, {m.File("gone"), home_.Path()},
      {"", ""},  // left by a bare file name on an earlier command line: the current folder
  };
  for (const auto& [stored, path] : cases) EXPECT_EQ(Plan({{kDATPath, stored}}).datPath, path) << stored;
}

// The command line with the folder listing and the entry selected from it, on real folders.
TEST_F(StartupPlanTest, CommandLineNamesTheFolderAndTheFileToSelect) {
  testing::TemporaryFolder m, stored;
  std::filesystem::create_directory(m.File("my  models"));
  for (const char* name : {"b.dat", "car.DAT", "A.dat", "my  models/x.dat"}) m.Write(name, "0");
  stored.Write("stored.dat", "0");
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{m.File("car.DAT")}, m.Path() + "|car.DAT"}, {{m.File("CAR.dat")}, m.Path() + "|car.DAT"},
      {{m.File("other.dat")}, m.Path() + "|A.dat"}, {{m.File("gone/car.dat")}, m.File("gone/") + "|none"},
      {{m.File("my"), "", "models/x.dat"}, m.File("my  models/") + "|x.dat"},
      {{m.File("c.ldr")}, m.Path() + "|A.dat"},  // not listed: the window opens it by its name
      {{m.File("c.txt")}, stored.Path() + "|stored.dat"},  // as every command line that names no model
  };
  for (const auto& [arguments, outcome] : cases) {
    const StartupPlan plan = Plan({{kDATPath, stored.Path()}}, JoinArguments(arguments));
    const auto names = document::ListDatFiles(plan.datPath).names;
    const auto entry = EntryToSelect(names, plan.fileToOpen);
    EXPECT_EQ(plan.datPath + '|' + (entry ? names[*entry] : "none"), outcome) << arguments[0];
  }
}

}  // namespace
}  // namespace kelvane::settings
