#include "app/settings/startup_plan.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/settings/memory_settings_store.h"
#include "document/folder_listing.h"
#include "support/temporary_folder.h"

namespace kelvane::app {
namespace {

using Directions = std::array<std::optional<int>, 3>;

// A 1920 x 1080 pixel screen at 96 dots per inch, and a window created a little smaller than the
// first-run size.
StartupEnvironment Environment(const std::string& fallbackFolder, std::string commandLine = "") {
  StartupEnvironment environment;
  environment.screen = ScreenMetrics{15.0f, 15.0f, 1920.0f * 15.0f, 1080.0f * 15.0f};
  environment.windowWidth = 11565.0f;
  environment.windowHeight = 9165.0f;
  environment.commandLine = std::move(commandLine);
  environment.fallbackFolder = fallbackFolder;
  environment.pathStyle = PathStyle::kPosix;
  return environment;
}

void Store(MemorySettingsStore& store, SettingKey key, const std::string& text) { WriteSetting(store, key, text); }

class StartupPlanTest : public ::testing::Test {
 protected:
  testing::TemporaryFolder home_;
  MemorySettingsStore store_;
};

TEST_F(StartupPlanTest, EmptyStoreGivesTheFirstRunDefaults) {
  const StartupPlan plan = PlanStartup(store_, Environment(home_.Path()));
  EXPECT_EQ(plan.datPath, home_.Path());
  EXPECT_EQ(plan.backupFile, true);
  EXPECT_EQ(plan.sortOption, 0);
  EXPECT_EQ(plan.sortKeyOrder, (std::array<int, 3>{1, 2, 0}));
  EXPECT_EQ(plan.directionIndex, (Directions{1, 0, 0}));
  EXPECT_EQ(plan.betweenSteps, true);
  EXPECT_EQ(plan.windowState, WindowState::kNormal);
  // 800 x 600 pixels, centred: (28800 - 12000) / 2 and (16200 - 9000) / 2.
  EXPECT_EQ(plan.geometry.width, 12000.0f);
  EXPECT_EQ(plan.geometry.height, 9000.0f);
  EXPECT_EQ(plan.geometry.left, 8400.0f);
  EXPECT_EQ(plan.geometry.top, 3600.0f);
  EXPECT_EQ(plan.fileToOpen, std::nullopt);
}

TEST_F(StartupPlanTest, DefaultPositionFollowsTheScreenWithIntegerHalving) {
  StartupEnvironment environment = Environment(home_.Path());
  environment.screen = ScreenMetrics{12.0f, 12.0f, 1365.0f * 12.0f, 767.0f * 12.0f};  // 120 dots per inch
  const StartupPlan plan = PlanStartup(store_, environment);
  EXPECT_EQ(plan.geometry.width, 9600.0f);
  EXPECT_EQ(plan.geometry.height, 7200.0f);
  EXPECT_EQ(plan.geometry.left, 3390.0f);  // (16380 - 9600) / 2
  EXPECT_EQ(plan.geometry.top, 1002.0f);   // (9204 - 7200) / 2

  environment.screen = ScreenMetrics{15.0f, 15.0f, 11985.0f, 8985.0f};  // a screen smaller than the window
  const StartupPlan small = PlanStartup(store_, environment);
  EXPECT_EQ(small.geometry.left, -7.0f);
  EXPECT_EQ(small.geometry.top, -7.0f);
}

TEST_F(StartupPlanTest, StoredValuesAreApplied) {
  testing::TemporaryFolder models;
  Store(store_, SettingKey::kDATPath, models.Path());
  Store(store_, SettingKey::kBackupFile, "0");
  Store(store_, SettingKey::kSortOption, "2");
  Store(store_, SettingKey::kSortKeyOrder0, "2");
  Store(store_, SettingKey::kSortKeyOrder1, "0");
  Store(store_, SettingKey::kSortKeyOrder2, "1");
  Store(store_, SettingKey::kXSortOpt0, "True");
  Store(store_, SettingKey::kXSortOpt1, "False");
  Store(store_, SettingKey::kYSortOpt0, "False");
  Store(store_, SettingKey::kYSortOpt1, "True");
  Store(store_, SettingKey::kZSortOpt0, "False");
  Store(store_, SettingKey::kZSortOpt1, "True");
  Store(store_, SettingKey::kBetweenSteps, "0");
  Store(store_, SettingKey::kWindowState, "0");
  Store(store_, SettingKey::kWindowWidth, "10005");
  Store(store_, SettingKey::kWindowHeight, "8250.5");
  Store(store_, SettingKey::kWindowLeft, "-300");
  Store(store_, SettingKey::kWindowTop, "40000");

  const StartupPlan plan = PlanStartup(store_, Environment(home_.Path()));
  EXPECT_EQ(plan.datPath, models.Path());
  EXPECT_EQ(plan.backupFile, false);
  EXPECT_EQ(plan.sortOption, 2);
  EXPECT_EQ(plan.sortKeyOrder, (std::array<int, 3>{2, 0, 1}));
  EXPECT_EQ(plan.directionIndex, (Directions{0, 1, 1}));
  EXPECT_EQ(plan.betweenSteps, false);
  EXPECT_EQ(plan.windowState, WindowState::kNormal);
  EXPECT_EQ(plan.geometry.width, 10005.0f);
  EXPECT_EQ(plan.geometry.height, 8250.5f);
  EXPECT_EQ(plan.geometry.left, -300.0f);  // left of the primary screen: applied unchanged
  EXPECT_EQ(plan.geometry.top, 40000.0f);  // below the screen: applied unchanged
}

TEST_F(StartupPlanTest, StoredTextsThatTheControlsRefuseAreSkipped) {
  const struct {
    SettingKey key;
    const char* text;
    std::optional<int> sortOption;
    std::optional<bool> backupFile;
    std::optional<bool> betweenSteps;
  } cases[] = {
      {SettingKey::kSortOption, "5", std::nullopt, true, true},
      {SettingKey::kSortOption, "-1", std::nullopt, true, true},
      {SettingKey::kSortOption, "by color", std::nullopt, true, true},
      {SettingKey::kSortOption, "1.5", 2, true, true},
      {SettingKey::kSortOption, " 1 ", 1, true, true},
      {SettingKey::kBackupFile, "0", 0, false, true},
      {SettingKey::kBackupFile, "2", 0, std::nullopt, true},
      {SettingKey::kBackupFile, "False", 0, std::nullopt, true},
      {SettingKey::kBackupFile, "0.5", 0, false, true},
      {SettingKey::kBetweenSteps, "1", 0, true, true},
      {SettingKey::kBetweenSteps, "0", 0, true, false},
      {SettingKey::kBetweenSteps, "", 0, true, std::nullopt},
  };
  for (const auto& [key, text, sortOption, backupFile, betweenSteps] : cases) {
    MemorySettingsStore store;
    Store(store, key, text);
    const StartupPlan plan = PlanStartup(store, Environment(home_.Path()));
    EXPECT_EQ(plan.sortOption, sortOption) << Definition(key).name << '=' << text;
    EXPECT_EQ(plan.backupFile, backupFile) << Definition(key).name << '=' << text;
    EXPECT_EQ(plan.betweenSteps, betweenSteps) << Definition(key).name << '=' << text;
  }
}

TEST_F(StartupPlanTest, DirectionPairsEndWithTheLastTrueButton) {
  const struct {
    const char* first;
    const char* second;
    std::optional<int> index;
  } cases[] = {
      {"True", "True", 1},      {"True", "False", 0},    {"False", "True", 1},  {"False", "False", std::nullopt},
      {"junk", "True", 1},      {"True", "junk", 0},     {"junk", "False", std::nullopt},
      {"junk", "junk", std::nullopt},                    {"-1", "0", 0},        {"TRUE", "false", 0},
  };
  for (const auto& [first, second, index] : cases) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      MemorySettingsStore store;
      Store(store, kDirectionKeys[axis][0], first);
      Store(store, kDirectionKeys[axis][1], second);
      const StartupPlan plan = PlanStartup(store, Environment(home_.Path()));
      EXPECT_EQ(plan.directionIndex[axis], index) << "axis " << axis << ": " << first << ", " << second;
    }
  }
}

TEST_F(StartupPlanTest, KeyOrderThatIsNotAPermutationBecomesTheFirstRunOrder) {
  const struct {
    const char* texts[3];
    std::array<int, 3> order;
  } cases[] = {
      {{"0", "1", "2"}, {0, 1, 2}},  {{"2", "1", "0"}, {2, 1, 0}},  {{"1", "1", "0"}, {1, 2, 0}},
      {{"3", "1", "0"}, {1, 2, 0}},  {{"-1", "2", "0"}, {1, 2, 0}}, {{"x", "2", "1"}, {0, 2, 1}},
      {{"x", "2", "0"}, {1, 2, 0}},  {{"2.4", "0.5", "1"}, {2, 0, 1}},
  };
  for (const auto& [texts, order] : cases) {
    MemorySettingsStore store;
    for (std::size_t k = 0; k < 3; ++k) Store(store, kSortKeyOrderKeys[k], texts[k]);
    const StartupPlan plan = PlanStartup(store, Environment(home_.Path()));
    EXPECT_EQ(plan.sortKeyOrder, order) << texts[0] << ' ' << texts[1] << ' ' << texts[2];
  }
}

TEST_F(StartupPlanTest, WindowStateDecidesWhetherTheStoredGeometryIsRead) {
  Store(store_, SettingKey::kWindowWidth, "15000");
  Store(store_, SettingKey::kWindowHeight, "10500");
  Store(store_, SettingKey::kWindowLeft, "150");
  Store(store_, SettingKey::kWindowTop, "300");

  Store(store_, SettingKey::kWindowState, "2");
  const StartupPlan maximised = PlanStartup(store_, Environment(home_.Path()));
  EXPECT_EQ(maximised.windowState, WindowState::kMaximised);
  EXPECT_EQ(maximised.geometry.width, 12000.0f);
  EXPECT_EQ(maximised.geometry.height, 9000.0f);
  EXPECT_EQ(maximised.geometry.left, 8400.0f);
  EXPECT_EQ(maximised.geometry.top, 3600.0f);

  for (const char* state : {"1", "7", "-1", "normal"}) {
    Store(store_, SettingKey::kWindowState, state);
    const StartupPlan plan = PlanStartup(store_, Environment(home_.Path()));
    EXPECT_EQ(plan.windowState, std::string(state) == "1" ? std::optional(WindowState::kMinimised) : std::nullopt)
        << state;
    EXPECT_EQ(plan.geometry.width, 15000.0f) << state;
    EXPECT_EQ(plan.geometry.height, 10500.0f) << state;
    EXPECT_EQ(plan.geometry.left, 150.0f) << state;
    EXPECT_EQ(plan.geometry.top, 300.0f) << state;
  }
}

TEST_F(StartupPlanTest, RefusedSizeKeepsTheCreatedSizeForCentring) {
  Store(store_, SettingKey::kWindowWidth, "-5");
  Store(store_, SettingKey::kWindowHeight, "wide");
  const StartupPlan plan = PlanStartup(store_, Environment(home_.Path()));
  EXPECT_EQ(plan.geometry.width, std::nullopt);
  EXPECT_EQ(plan.geometry.height, std::nullopt);
  EXPECT_EQ(plan.geometry.left, 8617.0f);  // (28800 - 11565) / 2, the half dropped
  EXPECT_EQ(plan.geometry.top, 3517.0f);   // (16200 - 9165) / 2

  MemorySettingsStore huge;
  Store(huge, SettingKey::kWindowWidth, "1000000000000");
  Store(huge, SettingKey::kWindowLeft, "-1000000000000");
  const StartupPlan refused = PlanStartup(huge, Environment(home_.Path()));
  EXPECT_EQ(refused.geometry.width, std::nullopt);
  EXPECT_EQ(refused.geometry.left, std::nullopt);
  EXPECT_EQ(refused.geometry.height, 9000.0f);
}

TEST_F(StartupPlanTest, StoredFolderIsCheckedAndGetsItsFinalSeparator) {
  testing::TemporaryFolder models;
  const std::string withoutSeparator = models.Path().substr(0, models.Path().size() - 1);
  const struct {
    std::string stored;
    std::string datPath;
  } cases[] = {
      {models.Path(), models.Path()},
      {withoutSeparator, models.Path()},
      {models.File("gone/"), home_.Path()},
      {models.File("gone"), home_.Path()},
      {"", ""},  // left by a bare file name on an earlier command line: the current folder
  };
  for (const auto& [stored, datPath] : cases) {
    MemorySettingsStore store;
    Store(store, SettingKey::kDATPath, stored);
    EXPECT_EQ(PlanStartup(store, Environment(home_.Path())).datPath, datPath) << stored;
  }
}

// The command line together with the folder listing and the selection of step 13, on real folders.
class CommandLineStartupTest : public StartupPlanTest {
 protected:
  void SetUp() override {
    for (const char* name : {"b.dat", "car.DAT", "A.dat", "notes.txt", "c.ldr"}) models_.Write(name, "0 x\r\n");
    Store(store_, SettingKey::kDATPath, stored_.Path());
    stored_.Write("stored.dat", "0 x\r\n");
  }

  struct Outcome {
    std::string datPath;
    std::vector<std::string> entries;
    std::optional<std::string> selected;
  };

  Outcome Start(const std::vector<std::string>& arguments) {
    const StartupPlan plan = PlanStartup(store_, Environment(home_.Path(), JoinArguments(arguments)));
    Outcome outcome{plan.datPath, document::ListDatFiles(plan.datPath).names, std::nullopt};
    if (const auto entry = EntryToSelect(outcome.entries, plan.fileToOpen)) outcome.selected = outcome.entries[*entry];
    return outcome;
  }

  testing::TemporaryFolder models_;
  testing::TemporaryFolder stored_;
};

TEST_F(CommandLineStartupTest, FileInTheFolderIsSelected) {
  const Outcome outcome = Start({models_.File("car.DAT")});
  EXPECT_EQ(outcome.datPath, models_.Path());
  EXPECT_EQ(outcome.entries, (std::vector<std::string>{"A.dat", "b.dat", "car.DAT"}));
  EXPECT_EQ(outcome.selected, "car.DAT");
  EXPECT_EQ(Start({models_.File("CAR.dat")}).selected, "car.DAT");  // names compare without case
}

TEST_F(CommandLineStartupTest, FileMissingFromTheFolderSelectsTheFirstEntry) {
  const Outcome outcome = Start({models_.File("other.dat")});
  EXPECT_EQ(outcome.datPath, models_.Path());
  EXPECT_EQ(outcome.selected, "A.dat");
}

TEST_F(CommandLineStartupTest, BareNameLeavesAnEmptyFolder) {
  const StartupPlan plan = PlanStartup(store_, Environment(home_.Path(), "car.dat"));
  EXPECT_EQ(plan.datPath, "");
  EXPECT_EQ(plan.fileToOpen, "car.dat");
}

TEST_F(CommandLineStartupTest, MissingFolderIsKeptAndListsNothing) {
  const Outcome outcome = Start({models_.File("gone/car.dat")});
  EXPECT_EQ(outcome.datPath, models_.File("gone/"));
  EXPECT_TRUE(outcome.entries.empty());
  EXPECT_EQ(outcome.selected, std::nullopt);
}

TEST_F(CommandLineStartupTest, OtherCommandLinesAreIgnored) {
  for (const std::string& commandLine :
       {models_.File("c.ldr"), models_.File("m.mpd"), models_.Path(), '"' + models_.File("car.DAT") + '"'}) {
    const Outcome outcome = Start({commandLine});
    EXPECT_EQ(outcome.datPath, stored_.Path()) << commandLine;
    EXPECT_EQ(outcome.selected, "stored.dat") << commandLine;
  }
}

TEST_F(CommandLineStartupTest, PathWithSpacesSplitIntoArgumentsIsWhole) {
  testing::TemporaryFolder parent;
  std::filesystem::create_directory(parent.File("my  models"));
  parent.Write("my  models/tank.dat", "0 x\r\n");
  parent.Write("my  models/a.dat", "0 x\r\n");
  const Outcome outcome = Start({parent.File("my"), "", "models/tank.dat"});
  EXPECT_EQ(outcome.datPath, parent.File("my  models/"));
  EXPECT_EQ(outcome.selected, "tank.dat");
}

TEST(EntryToSelectTest, EmptyListSelectsNothing) {
  EXPECT_EQ(EntryToSelect({}, std::nullopt), std::nullopt);
  EXPECT_EQ(EntryToSelect({}, "car.dat"), std::nullopt);
  EXPECT_EQ(EntryToSelect({"a.dat", "b.dat"}, std::nullopt), 0u);
  EXPECT_EQ(EntryToSelect({"a.dat", "b.dat"}, "B.DAT"), 1u);
  EXPECT_EQ(EntryToSelect({"a.dat", "b.dat"}, "b.da"), 0u);
}

}  // namespace
}  // namespace kelvane::app
