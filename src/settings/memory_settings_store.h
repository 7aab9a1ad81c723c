#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings_store.h"

namespace kelvane::settings {

// A settings store that lives only in memory: for tests, and for a run that must leave the user's
// settings alone. It remembers every write in order and can be told to fail on Flush().
class MemorySettingsStore final : public SettingsStore {
 public:
  struct Entry {
    std::string section;
    std::string key;
    std::string text;
    bool operator==(const Entry&) const = default;
  };

  std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
  void Write(std::string_view section, std::string_view key, std::string_view text) override;
  bool Flush() override;
  std::string Location() const override { return "memory"; }

  // Every Write so far, oldest first.
  const std::vector<Entry>& Writes() const { return writes_; }
  std::size_t Size() const { return values_.size(); }
  void SetFlushFails(bool fails) { flushFails_ = fails; }

 private:
  std::map<std::pair<std::string, std::string>, std::string, std::less<>> values_;
  std::vector<Entry> writes_;
  bool flushFails_ = false;
};

}  // namespace kelvane::settings
