#include "settings/shutdown_record.h"

#include <gtest/gtest.h>

#include <sstream>

#include "settings/memory_settings_store.h"

namespace kelvane::settings {
namespace {

ShutdownState Closing(WindowState state) {
  return {state, -105, 2400, 13500, 9487.5f, "/home/u/my models/", false, {false, true, false}, {2, 0, 1},
          {{{true, false}, {false, true}, {true, false}}}, false};
}

// Only a normal window writes its bounds, so those of the last close in the normal state survive.
TEST(ShutdownRecordTest, WindowStateDecidesWhatIsWritten) {
  const std::pair<WindowState, std::vector<std::string>> cases[] = {
      {WindowState::kNormal,
       {"WindowState=0", "WindowLeft=-105", "WindowTop=2400", "WindowWidth=13500", "WindowHeight=9487.5"}},
      {WindowState::kMaximised, {"WindowState=2"}},
      {WindowState::kMinimised, {}},
  };
  for (auto [state, lines] : cases) {
    lines.insert(lines.end(), {"DATPath=/home/u/my models/", "BackupFile=0", "SortOption=1",
                               "SortKeyOrder0=2", "SortKeyOrder1=0", "SortKeyOrder2=1", "XSortOpt0=True",
                               "XSortOpt1=False", "YSortOpt0=False", "YSortOpt1=True", "ZSortOpt0=True",
                               "ZSortOpt1=False", "BetweenSteps=0"});
    std::vector<std::string> written;
    for (const auto& [key, text] : ShutdownRecord(Closing(state))) {
      written.push_back(std::string(Definition(key).name) + '=' + text);
    }
    EXPECT_EQ(written, lines);
  }
}

// Closing never waits on the settings: a failed save is reported and the close goes on.
TEST(ShutdownRecordTest, EveryValueReachesTheStoreAndAFailedSaveIsReported) {
  for (const bool fails : {false, true}) {
    MemorySettingsStore store;
    store.SetFlushFails(fails);
    std::ostringstream diagnostics;
    EXPECT_EQ(SaveSettings(store, ShutdownRecord(Closing(WindowState::kNormal)), diagnostics), !fails);
    EXPECT_EQ(diagnostics.str(), fails ? "kelvane: the settings could not be saved to memory\n" : "");
    EXPECT_EQ(store.Size(), 18u);
  }
}

}  // namespace
}  // namespace kelvane::settings
