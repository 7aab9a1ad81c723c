#include "settings/shutdown_record.h"

#include <ostream>

#include "settings/setting_text.h"

namespace kelvane::settings {

int SelectedSortOption(const std::array<bool, 3>& selected) {
  if (selected[0]) return 0;
  if (selected[1]) return 1;
  return 2;
}

std::vector<SettingWrite> ShutdownRecord(const ShutdownState& state) {
  std::vector<SettingWrite> record;
  const auto add = [&record](SettingKey key, std::string text) { record.push_back({key, std::move(text)}); };

  if (state.windowState != WindowState::kMinimised) {
    add(SettingKey::kWindowState, FormatInteger(static_cast<int>(state.windowState)));
    if (state.windowState != WindowState::kMaximised) {
      add(SettingKey::kWindowLeft, FormatSingle(state.left));
      add(SettingKey::kWindowTop, FormatSingle(state.top));
      add(SettingKey::kWindowWidth, FormatSingle(state.width));
      add(SettingKey::kWindowHeight, FormatSingle(state.height));
    }
  }
  add(SettingKey::kDATPath, state.datPath);
  add(SettingKey::kBackupFile, FormatInteger(state.backupFile ? 1 : 0));
  add(SettingKey::kSortOption, FormatInteger(SelectedSortOption(state.sortOptionSelected)));
  for (std::size_t k = 0; k < kSortKeyOrderKeys.size(); ++k) {
    add(kSortKeyOrderKeys[k], FormatInteger(state.sortKeyOrder[k]));
  }
  for (std::size_t axis = 0; axis < kDirectionKeys.size(); ++axis) {
    for (std::size_t button = 0; button < 2; ++button) {
      add(kDirectionKeys[axis][button], FormatBoolean(state.directionSelected[axis][button]));
    }
  }
  add(SettingKey::kBetweenSteps, FormatInteger(state.betweenSteps ? 1 : 0));
  return record;
}

bool SaveSettings(SettingsStore& store, const std::vector<SettingWrite>& record, std::ostream& diagnostics) {
  for (const SettingWrite& write : record) WriteSetting(store, write.key, write.text);
  if (store.Flush()) return true;
  diagnostics << "kelvane: the settings could not be saved to " << store.Location() << "\n";
  return false;
}

}  // namespace kelvane::settings
