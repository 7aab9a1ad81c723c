#include "settings/memory_settings_store.h"

namespace kelvane::settings {

std::optional<std::string> MemorySettingsStore::Read(std::string_view section, std::string_view key) const {
  const auto it = values_.find(std::pair(std::string(section), std::string(key)));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void MemorySettingsStore::Write(std::string_view section, std::string_view key, std::string_view text) {
  values_[std::pair(std::string(section), std::string(key))] = std::string(text);
  writes_.push_back(Entry{std::string(section), std::string(key), std::string(text)});
}

bool MemorySettingsStore::Flush() { return !flushFails_; }

}  // namespace kelvane::settings
