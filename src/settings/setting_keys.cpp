#include "settings/setting_keys.h"

namespace kelvane::settings {

// The table lists the keys in enumeration order, so a key's value is its row.
static_assert([] {
  for (std::size_t i = 0; i < kSettingDefinitions.size(); ++i) {
    if (static_cast<std::size_t>(kSettingDefinitions[i].id) != i) return false;
  }
  return true;
}());

const SettingDefinition& Definition(SettingKey key) {
  return kSettingDefinitions[static_cast<std::size_t>(key)];
}

}  // namespace kelvane::settings
