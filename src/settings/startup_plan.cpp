#include "settings/startup_plan.h"

#include <algorithm>
#include <cmath>

#include "settings/integer_halving.h"
#include "settings/setting_text.h"
#include "sorting/sort_options.h"
#include "text/ascii_case.h"

namespace kelvane::settings {
namespace {

// A check box takes 0 (clear) or 1 (checked).
std::optional<bool> ReadCheckBox(const SettingsStore& store, SettingKey key) {
  const auto value = ParseInteger(ReadSetting(store, key));
  if (value != 0 && value != 1) return std::nullopt;
  return *value == 1;
}

// The text of a key, or of its default; nothing when the key is absent and the default could not be
// worked out (the centring arithmetic overflowed).
std::optional<std::string> TextOrDefault(const SettingsStore& store, SettingKey key,
                                         const std::optional<std::string>& defaultText) {
  const SettingDefinition& setting = Definition(key);
  if (auto text = store.Read(setting.section, setting.name)) return text;
  return defaultText;
}

bool WindowAcceptsPosition(float twips, float twipsPerPixel) {
  return std::isfinite(twips) && twipsPerPixel > 0.0f &&
         std::fabs(twips / twipsPerPixel) <= kLargestWindowPixels;
}

bool WindowAcceptsSize(float twips, float twipsPerPixel) {
  return twips > 0.0f && WindowAcceptsPosition(twips, twipsPerPixel);
}

std::optional<float> ReadSize(const SettingsStore& store, SettingKey key, float defaultTwips,
                              float twipsPerPixel) {
  const auto value = ParseSingle(ReadSetting(store, key, FormatSingle(defaultTwips)));
  if (!value || !WindowAcceptsSize(*value, twipsPerPixel)) return std::nullopt;
  return value;
}

std::optional<std::string> CentredDefault(float screenLength, float windowLength) {
  const float free = screenLength - windowLength;
  if (const auto half = IntegerHalf(free)) return FormatInteger(*half);
  return std::nullopt;
}

std::optional<float> ReadPosition(const SettingsStore& store, SettingKey key, float screenLength,
                                  float windowLength, float twipsPerPixel) {
  const auto text = TextOrDefault(store, key, CentredDefault(screenLength, windowLength));
  if (!text) return std::nullopt;
  const auto value = ParseSingle(*text);
  if (!value || !WindowAcceptsPosition(*value, twipsPerPixel)) return std::nullopt;
  return value;
}

std::optional<float> CentredPosition(float screenLength, float windowLength) {
  const auto half = IntegerHalf(screenLength - windowLength);
  if (!half) return std::nullopt;
  return static_cast<float>(*half);
}

// The window's state and its outer bounds.
void PlanWindow(const SettingsStore& store, const StartupEnvironment& environment, StartupPlan& plan) {
  const auto state = ParseInteger(ReadSetting(store, SettingKey::kWindowState));
  if (state && *state >= 0 && *state <= 2) plan.windowState = static_cast<WindowState>(*state);

  const ScreenMetrics& screen = environment.screen;
  const float defaultWidth = 800.0f * screen.twipsPerPixelX;
  const float defaultHeight = 600.0f * screen.twipsPerPixelY;
  WindowGeometry& geometry = plan.geometry;

  // A maximised window keeps its normal-state bounds for when it is restored: the default size,
  // centred, whatever an earlier run stored.
  if (plan.windowState == WindowState::kMaximised) {
    geometry.width = defaultWidth;
    geometry.height = defaultHeight;
    geometry.left = CentredPosition(screen.width, defaultWidth);
    geometry.top = CentredPosition(screen.height, defaultHeight);
    return;
  }

  // A stored size below the minimum (hand-edited, or written at another resolution) opens at the
  // minimum, and is centred as such.
  const auto atLeast = [](std::optional<float> size, float minimum) -> std::optional<float> {
    if (!size) return size;
    return std::max(*size, minimum);
  };
  geometry.width = atLeast(ReadSize(store, SettingKey::kWindowWidth, defaultWidth, screen.twipsPerPixelX),
                           kMinimumWindowWidthPixels * screen.twipsPerPixelX);
  geometry.height = atLeast(ReadSize(store, SettingKey::kWindowHeight, defaultHeight, screen.twipsPerPixelY),
                            kMinimumWindowHeightPixels * screen.twipsPerPixelY);
  // The default position centres the window at the size it has now, which is the created size when
  // the stored one was refused.
  const float width = geometry.width.value_or(environment.windowWidth);
  const float height = geometry.height.value_or(environment.windowHeight);
  geometry.left = ReadPosition(store, SettingKey::kWindowLeft, screen.width, width, screen.twipsPerPixelX);
  geometry.top = ReadPosition(store, SettingKey::kWindowTop, screen.height, height, screen.twipsPerPixelY);
}

}  // namespace

StartupPlan PlanStartup(const SettingsStore& store, const StartupEnvironment& environment) {
  StartupPlan plan;

  // A hand-edited folder without its final separator gets one: the file paths are the
  // folder immediately followed by the file name.
  plan.datPath = ReadSetting(store, SettingKey::kDATPath, environment.fallbackFolder);
  const bool exists = environment.folderExists ? environment.folderExists(plan.datPath) : true;
  plan.datPath = exists ? WithFinalSeparator(plan.datPath) : environment.fallbackFolder;

  plan.backupFile = ReadCheckBox(store, SettingKey::kBackupFile);

  const auto sortOption = ParseInteger(ReadSetting(store, SettingKey::kSortOption));
  if (sortOption && *sortOption >= 0 && *sortOption <= 2) plan.sortOption = *sortOption;

  // A text that does not convert leaves the element at the 0 the window starts with. Only a
  // hand-edited store can hold an order that is not a permutation; the frames of the options panel
  // could not be stacked by it, so the first-run order replaces it.
  std::array<int, 3> order{};
  for (std::size_t k = 0; k < order.size(); ++k) {
    order[k] = ParseInteger(ReadSetting(store, kSortKeyOrderKeys[k])).value_or(0);
  }
  plan.sortKeyOrder = sorting::EffectiveKeyOrder(order);

  // The two buttons of a pair are set in turn, and selecting one clears the other: the second
  // button ends selected when it is "True", else the first when it is. When neither is "True" the
  // pair would end with no selection at all; it keeps the selection the window was created with.
  for (std::size_t axis = 0; axis < kDirectionKeys.size(); ++axis) {
    const auto first = ParseBoolean(ReadSetting(store, kDirectionKeys[axis][0]));
    const auto second = ParseBoolean(ReadSetting(store, kDirectionKeys[axis][1]));
    if (second == true) {
      plan.directionIndex[axis] = 1;
    } else if (first == true) {
      plan.directionIndex[axis] = 0;
    }
  }

  plan.betweenSteps = ReadCheckBox(store, SettingKey::kBetweenSteps);

  PlanWindow(store, environment, plan);

  if (!environment.commandLine.empty()) {
    if (auto file = ModelFileFromCommandLine(environment.commandLine)) {
      plan.datPath = std::move(file->folder);
      plan.fileToOpen = std::move(file->fileName);
    }
  }
  return plan;
}

std::optional<std::size_t> EntryToSelect(const std::vector<std::string>& entries,
                                         const std::optional<std::string>& fileToOpen) {
  if (fileToOpen) {
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const std::string& entry) {
      return text::EqualIgnoringAsciiCase(entry, *fileToOpen);
    });
    if (it != entries.end()) return static_cast<std::size_t>(it - entries.begin());
  }
  if (entries.empty()) return std::nullopt;
  return 0;
}

}  // namespace kelvane::settings
