#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/setting_keys.h"

namespace kelvane::settings {

// The per-user store of remembered settings: one text value per section and key. The window reads
// it while it loads and writes it while it closes; nothing else touches it.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The text stored under section/key, or nothing when the key has never been written.
  virtual std::optional<std::string> Read(std::string_view section, std::string_view key) const = 0;

  // Stores the text, replacing an earlier one. It lasts once Flush() has succeeded.
  virtual void Write(std::string_view section, std::string_view key, std::string_view text) = 0;

  // Makes every write so far lasting. False when that failed (the values may then be lost).
  virtual bool Flush() = 0;

  // Where the values are kept, for messages: normally a file path.
  virtual std::string Location() const = 0;
};

// The stored text of a setting, or `defaultText` when it has never been written: an absent key
// behaves exactly as if its default had been stored.
std::string ReadSetting(const SettingsStore& store, SettingKey key, std::string_view defaultText);

// The stored text, or the table's fixed default (empty for the machine-dependent ones).
std::string ReadSetting(const SettingsStore& store, SettingKey key);

void WriteSetting(SettingsStore& store, SettingKey key, std::string_view text);

}  // namespace kelvane::settings
