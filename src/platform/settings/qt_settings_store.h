#pragma once

#include <QString>
#include <memory>

#include "settings/settings_store.h"

class QSettings;

namespace kelvane::platform {

// The settings store as an INI file through QSettings, with sections as groups and every value a
// plain text: "True", "1" and "12000" stand in the file as a person would write them, and a file
// edited by hand reads back as written; a typed "@Variant(...)" value is read as those characters.
// A name that leads to anything but a regular file (a fifo, a device, a link that leads nowhere) is
// left alone: nothing is read from it or written to it, which is said once on standard error.
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
  // Writes the file; false when it could not be written. A store whose file was left alone at the
  // start has nothing to write and succeeds, its refusal having been reported then.
  bool Flush() override;
  std::string Location() const override;

 private:
  QString filePath_;
  std::unique_ptr<QSettings> settings_;  // none when the file was left alone
};

}  // namespace kelvane::platform
