#include "settings/settings_store.h"

namespace kelvane::settings {

std::string ReadSetting(const SettingsStore& store, SettingKey key, std::string_view defaultText) {
  const SettingDefinition& setting = Definition(key);
  std::optional<std::string> text = store.Read(setting.section, setting.name);
  return text ? std::move(*text) : std::string(defaultText);
}

std::string ReadSetting(const SettingsStore& store, SettingKey key) {
  return ReadSetting(store, key, Definition(key).fixedDefault);
}

void WriteSetting(SettingsStore& store, SettingKey key, std::string_view text) {
  const SettingDefinition& setting = Definition(key);
  store.Write(setting.section, setting.name, text);
}

}  // namespace kelvane::settings
