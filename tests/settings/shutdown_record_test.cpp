#include "settings/shutdown_record.h"

#include <gtest/gtest.h>

#include <sstream>

#include "settings/memory_settings_store.h"

namespace kelvane::settings {
namespace {

// Only a normal window writes its bounds, so those of the last close in the normal state survive.
// Closing never waits on the settings: a failed save is reported and the close goes on.
TEST(ShutdownRecordTest, WindowStateDecidesWhatIsWrittenAndAFailedSaveIsReported) {
  const std::tuple<WindowState, std::string, bool> cases[] = {
      {WindowState::kNormal,
       "WindowState=0 WindowLeft=-105 WindowTop=2400 WindowWidth=13500 WindowHeight=9487.5 ", false},
      {WindowState::kMaximised, "WindowState=2 ", true},
      {WindowState::kMinimised, "", false},
  };
  for (const auto& [state, window, fails] : cases) {
    ShutdownState closing{
        state, -105, 2400, 13500, 9487.5f, "/home/u/my models/", false, {false, true, false}};
    closing.sortKeyOrder = {2, 0, 1};
    closing.directionSelected = {{{true, false}, {false, true}, {true, false}}};
    closing.betweenSteps = false;
    MemorySettingsStore store;
    store.SetFlushFails(fails);
    std::ostringstream diagnostics;
    EXPECT_EQ(SaveSettings(store, ShutdownRecord(closing), diagnostics), !fails);
    EXPECT_EQ(diagnostics.str(), fails ? "kelvane: the settings could not be saved to memory\n" : "");
    std::string written;
    for (const auto& write : store.Writes()) written += write.key + '=' + write.text + ' ';
    EXPECT_EQ(written, window +
                           "DATPath=/home/u/my models/ BackupFile=0 SortOption=1 SortKeyOrder0=2 "
                           "SortKeyOrder1=0 SortKeyOrder2=1 XSortOpt0=True XSortOpt1=False YSortOpt0=False "
                           "YSortOpt1=True ZSortOpt0=True ZSortOpt1=False BetweenSteps=0 ");
  }
}

}  // namespace
}  // namespace kelvane::settings
