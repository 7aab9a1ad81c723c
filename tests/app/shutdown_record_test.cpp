#include "app/settings/shutdown_record.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/settings/memory_settings_store.h"
#include "app/settings/startup_plan.h"
#include "support/temporary_folder.h"

namespace kelvane::app {
namespace {

ShutdownState SampleState(WindowState windowState) {
  ShutdownState state;
  state.windowState = windowState;
  state.left = -105.0f;
  state.top = 2400.0f;
  state.width = 13500.0f;
  state.height = 9487.5f;
  state.datPath = "/home/u/my models/";
  state.backupFile = false;
  state.sortOptionSelected = {false, true, false};
  state.sortKeyOrder = {2, 0, 1};
  state.directionSelected = {{{true, false}, {false, true}, {true, false}}};
  state.betweenSteps = false;
  return state;
}

std::vector<std::string> Names(const std::vector<SettingWrite>& record) {
  std::vector<std::string> names;
  for (const SettingWrite& write : record) names.emplace_back(Definition(write.key).name);
  return names;
}

const std::vector<std::string> kOptionNames = {
    "DATPath",   "BackupFile", "SortOption", "SortKeyOrder0", "SortKeyOrder1", "SortKeyOrder2", "XSortOpt0",
    "XSortOpt1", "YSortOpt0",  "YSortOpt1",  "ZSortOpt0",     "ZSortOpt1",     "BetweenSteps"};

std::vector<std::string> Concatenated(std::vector<std::string> first, const std::vector<std::string>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

TEST(ShutdownRecordTest, NormalWindowWritesEverythingInOrder) {
  const auto record = ShutdownRecord(SampleState(WindowState::kNormal));
  EXPECT_EQ(Names(record),
            Concatenated({"WindowState", "WindowLeft", "WindowTop", "WindowWidth", "WindowHeight"}, kOptionNames));
  const std::vector<std::string> texts = {"0",     "-105",  "2400",  "13500", "9487.5", "/home/u/my models/",
                                          "0",     "1",     "2",     "0",     "1",      "True",
                                          "False", "False", "True",  "True",  "False",  "0"};
  ASSERT_EQ(record.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(record[i].text, texts[i]) << Names(record)[i];
}

TEST(ShutdownRecordTest, MaximisedWindowWritesOnlyItsState) {
  const auto record = ShutdownRecord(SampleState(WindowState::kMaximised));
  EXPECT_EQ(Names(record), Concatenated({"WindowState"}, kOptionNames));
  EXPECT_EQ(record.front().text, "2");
}

TEST(ShutdownRecordTest, MinimisedWindowWritesNothingAboutTheWindow) {
  EXPECT_EQ(Names(ShutdownRecord(SampleState(WindowState::kMinimised))), kOptionNames);
}

TEST(ShutdownRecordTest, SortOptionIsTheFirstSelectedButtonElseTwo) {
  EXPECT_EQ(SelectedSortOption({true, false, false}), 0);
  EXPECT_EQ(SelectedSortOption({false, true, false}), 1);
  EXPECT_EQ(SelectedSortOption({false, false, true}), 2);
  EXPECT_EQ(SelectedSortOption({false, false, false}), 2);
  EXPECT_EQ(SelectedSortOption({true, true, false}), 0);
}

TEST(ShutdownRecordTest, EarlierGeometrySurvivesAMaximisedOrMinimisedClose) {
  MemorySettingsStore store;
  std::ostringstream diagnostics;
  ASSERT_TRUE(SaveSettings(store, ShutdownRecord(SampleState(WindowState::kNormal)), diagnostics));
  ShutdownState later = SampleState(WindowState::kMaximised);
  later.width = 30000.0f;
  ASSERT_TRUE(SaveSettings(store, ShutdownRecord(later), diagnostics));
  later.windowState = WindowState::kMinimised;
  ASSERT_TRUE(SaveSettings(store, ShutdownRecord(later), diagnostics));
  EXPECT_EQ(store.Read("Settings", "WindowState"), "2");
  EXPECT_EQ(store.Read("Settings", "WindowWidth"), "13500");
  EXPECT_EQ(store.Read("Settings", "WindowLeft"), "-105");
  EXPECT_EQ(diagnostics.str(), "");
}

TEST(ShutdownRecordTest, WhatACloseWritesTheNextStartRestores) {
  testing::TemporaryFolder models;
  ShutdownState state = SampleState(WindowState::kNormal);
  state.datPath = models.Path();
  MemorySettingsStore store;
  std::ostringstream diagnostics;
  ASSERT_TRUE(SaveSettings(store, ShutdownRecord(state), diagnostics));
  EXPECT_EQ(store.Size(), 18u);

  StartupEnvironment environment;
  environment.screen = ScreenMetrics{15.0f, 15.0f, 28800.0f, 16200.0f};
  environment.fallbackFolder = "/";
  const StartupPlan plan = PlanStartup(store, environment);
  EXPECT_EQ(plan.datPath, state.datPath);
  EXPECT_EQ(plan.backupFile, state.backupFile);
  EXPECT_EQ(plan.sortOption, 1);
  EXPECT_EQ(plan.sortKeyOrder, state.sortKeyOrder);
  EXPECT_EQ(plan.directionIndex, (std::array<std::optional<int>, 3>{0, 1, 0}));
  EXPECT_EQ(plan.betweenSteps, state.betweenSteps);
  EXPECT_EQ(plan.windowState, WindowState::kNormal);
  EXPECT_EQ(plan.geometry.left, state.left);
  EXPECT_EQ(plan.geometry.top, state.top);
  EXPECT_EQ(plan.geometry.width, state.width);
  EXPECT_EQ(plan.geometry.height, state.height);
}

TEST(ShutdownRecordTest, FailedSaveIsReportedAndDoesNotStopTheClose) {
  MemorySettingsStore store;
  store.SetFlushFails(true);
  std::ostringstream diagnostics;
  EXPECT_FALSE(SaveSettings(store, ShutdownRecord(SampleState(WindowState::kNormal)), diagnostics));
  EXPECT_EQ(diagnostics.str(), "kelvane: the settings could not be saved to memory\n");
  EXPECT_EQ(store.Writes().size(), 18u) << "every value is still handed to the store";
}

}  // namespace
}  // namespace kelvane::app
