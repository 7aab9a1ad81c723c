#pragma once

#include <QString>
#include <memory>

#include "settings/settings_store.h"

class QSettings;

namespace kelvane::platform {

// The settings store as an INI file through QSettings, with sections as groups and every value a
// plain text: "True", "1" and "12000" stand in the file as a person would write them, and a file
// edited by hand reads back as written.
class QtSettingsStore final : public settings::SettingsStore {
 public:
  // The user's own store of organisation and application "Kelvane": Kelvane/Kelvane.conf in the
  // user's configuration folder, on Linux $XDG_CONFIG_HOME or else ~/.config. System-wide files are
  // not consulted: what the program reads is what it wrote for this user.
  QtSettingsStore();
  // A store in the given INI file, for tests and for a store kept elsewhere.
  explicit QtSettingsStore(const QString& filePath);
  ~QtSettingsStore() override;

  std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
  void Write(std::string_view section, std::string_view key, std::string_view text) override;
  // Writes the file; false when it could not be written or the existing file could not be parsed.
  bool Flush() override;
  std::string Location() const override;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace kelvane::platform
