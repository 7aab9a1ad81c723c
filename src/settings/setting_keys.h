#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kelvane::settings {

inline constexpr std::string_view kPathsSection = "Paths";
inline constexpr std::string_view kSettingsSection = "Settings";
inline constexpr std::string_view kSortOptionsSection = "SortOptions";

enum class SettingType { kString, kInteger, kBoolean, kSingle };

// The eighteen remembered settings, in the order the start-up sequence reads them.
enum class SettingKey : std::size_t {
  kDATPath,
  kBackupFile,
  kSortOption,
  kSortKeyOrder0,
  kSortKeyOrder1,
  kSortKeyOrder2,
  kXSortOpt0,
  kXSortOpt1,
  kYSortOpt0,
  kYSortOpt1,
  kZSortOpt0,
  kZSortOpt1,
  kBetweenSteps,
  kWindowState,
  kWindowWidth,
  kWindowHeight,
  kWindowLeft,
  kWindowTop,
};

struct SettingDefinition {
  SettingKey id;
  std::string_view section;
  std::string_view name;
  SettingType type;
  // The default as the text it would be stored as. Empty where the default depends on the machine:
  // the DAT folder follows the user's home folder, the window's size and place follow the screen.
  std::string_view fixedDefault;
};

inline constexpr std::array<SettingDefinition, 18> kSettingDefinitions{{
    {SettingKey::kDATPath, kPathsSection, "DATPath", SettingType::kString, ""},
    {SettingKey::kBackupFile, kSettingsSection, "BackupFile", SettingType::kInteger, "1"},
    {SettingKey::kSortOption, kSortOptionsSection, "SortOption", SettingType::kInteger, "0"},
    {SettingKey::kSortKeyOrder0, kSortOptionsSection, "SortKeyOrder0", SettingType::kInteger, "1"},
    {SettingKey::kSortKeyOrder1, kSortOptionsSection, "SortKeyOrder1", SettingType::kInteger, "2"},
    {SettingKey::kSortKeyOrder2, kSortOptionsSection, "SortKeyOrder2", SettingType::kInteger, "0"},
    {SettingKey::kXSortOpt0, kSortOptionsSection, "XSortOpt0", SettingType::kBoolean, "False"},
    {SettingKey::kXSortOpt1, kSortOptionsSection, "XSortOpt1", SettingType::kBoolean, "True"},
    {SettingKey::kYSortOpt0, kSortOptionsSection, "YSortOpt0", SettingType::kBoolean, "True"},
    {SettingKey::kYSortOpt1, kSortOptionsSection, "YSortOpt1", SettingType::kBoolean, "False"},
    {SettingKey::kZSortOpt0, kSortOptionsSection, "ZSortOpt0", SettingType::kBoolean, "True"},
    {SettingKey::kZSortOpt1, kSortOptionsSection, "ZSortOpt1", SettingType::kBoolean, "False"},
    {SettingKey::kBetweenSteps, kSortOptionsSection, "BetweenSteps", SettingType::kInteger, "1"},
    {SettingKey::kWindowState, kSettingsSection, "WindowState", SettingType::kInteger, "0"},
    {SettingKey::kWindowWidth, kSettingsSection, "WindowWidth", SettingType::kSingle, ""},
    {SettingKey::kWindowHeight, kSettingsSection, "WindowHeight", SettingType::kSingle, ""},
    {SettingKey::kWindowLeft, kSettingsSection, "WindowLeft", SettingType::kSingle, ""},
    {SettingKey::kWindowTop, kSettingsSection, "WindowTop", SettingType::kSingle, ""},
}};

const SettingDefinition& Definition(SettingKey key);

// The two buttons of each coordinate direction pair, by axis (0 X, 1 Y, 2 Z) and button index.
inline constexpr std::array<std::array<SettingKey, 2>, 3> kDirectionKeys{{
    {SettingKey::kXSortOpt0, SettingKey::kXSortOpt1},
    {SettingKey::kYSortOpt0, SettingKey::kYSortOpt1},
    {SettingKey::kZSortOpt0, SettingKey::kZSortOpt1},
}};

inline constexpr std::array<SettingKey, 3> kSortKeyOrderKeys{
    SettingKey::kSortKeyOrder0, SettingKey::kSortKeyOrder1, SettingKey::kSortKeyOrder2};

}  // namespace kelvane::settings
