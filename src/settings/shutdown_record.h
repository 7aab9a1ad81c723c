#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "settings/window_state.h"
#include "sorting/sort_options.h"

namespace kelvane::settings {

// What the main window holds when it closes, as plain values read off its controls.
struct ShutdownState {
  WindowState windowState = WindowState::kNormal;
  // The window's outer bounds in twips; used only in the normal state.
  float left = 0.0f;
  float top = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
  std::string datPath;
  bool backupFile = true;                                      // "Backup existing .DAT file" checked
  std::array<bool, 3> sortOptionSelected{true, false, false};  // SortOptionRB(0..2)
  sorting::KeyOrder sortKeyOrder = sorting::kDefaultKeyOrder;
  // Selection of the direction buttons per axis (X, Y, Z) and button index.
  std::array<std::array<bool, 2>, 3> directionSelected{{{false, true}, {true, false}, {true, false}}};
  bool betweenSteps = true;  // "Sort Between Steps" checked
};

struct SettingWrite {
  SettingKey key;
  std::string text;
  bool operator==(const SettingWrite&) const = default;
};

// The settings the close writes, in the order it writes them. A minimised window writes nothing
// about the window and a maximised one only its state, so the bounds of the last close in the normal
// state survive; the program never stores the minimised state itself.
std::vector<SettingWrite> ShutdownRecord(const ShutdownState& state);

// The stored "SortOption": 0 when the first button is selected, else 1 when the second is, else 2.
int SelectedSortOption(const std::array<bool, 3>& selected);

// Writes the record and makes it lasting. Closing must never wait on the settings: a failure is
// reported on `diagnostics` (the caller passes std::cerr) and the close goes on. Returns success.
bool SaveSettings(SettingsStore& store, const std::vector<SettingWrite>& record, std::ostream& diagnostics);

}  // namespace kelvane::settings
