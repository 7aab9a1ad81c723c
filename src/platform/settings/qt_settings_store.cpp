#include "platform/settings/qt_settings_store.h"

#include <sys/stat.h>

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <iostream>

#include "settings/ini_text.h"

namespace kelvane::platform {
namespace {

QString KeyPath(std::string_view section, std::string_view key) {
  return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + QLatin1Char('/') +
         QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

QString UserSettingsPath() {
  // QSettings' own user-scope INI file would be named Kelvane.ini; the folder is the same.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Kelvane/Kelvane.conf");
}

// QSettings' own INI reading decodes "@Variant(...)" values into whatever type they name, from bytes
// anyone who can edit the file chose. This format reads and writes every value as text instead (see
// ParseIni); it never fails on what it reads, so a damaged file is simply rewritten whole.
bool ReadIniText(QIODevice& device, QSettings::SettingsMap& map) {
  const QByteArray bytes = device.readAll();
  for (const auto& [key, text] : settings::ParseIni(std::string_view(bytes.constData(), bytes.size()))) {
    map.insert(QString::fromStdString(key), QString::fromStdString(text));
  }
  return true;
}

bool WriteIniText(QIODevice& device, const QSettings::SettingsMap& map) {
  settings::IniValues values;
  for (auto it = map.cbegin(); it != map.cend(); ++it)
    values[it.key().toStdString()] = it.value().toString().toStdString();
  const std::string text = settings::FormatIni(values);
  return device.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
}

QSettings::Format IniTextFormat() {
  static const QSettings::Format format =
      QSettings::registerFormat(QStringLiteral("conf"), ReadIniText, WriteIniText);
  return format;
}

// Only a regular file, or no file yet, is a settings file: QSettings would wait for ever on a fifo, and
// would save by putting a plain file in the place of a device it was linked to.
bool IsUsableSettingsFile(const QString& filePath) {
  const QByteArray path = QFile::encodeName(filePath);
  struct stat info {};
  if (::stat(path.constData(), &info) == 0) return S_ISREG(info.st_mode);
  return ::lstat(path.constData(), &info) != 0;  // no file yet, but not a link that leads nowhere
}

}  // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(UserSettingsPath()) {}

QtSettingsStore::QtSettingsStore(const QString& filePath) : filePath_(filePath) {
  if (!IsUsableSettingsFile(filePath)) {
    std::cerr << "kelvane: " << filePath.toStdString()
              << " is not a regular file; the settings are neither read from it nor saved to it\n";
    return;
  }
  settings_ = std::make_unique<QSettings>(filePath, IniTextFormat());
  settings_->setFallbacksEnabled(false);
}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::Read(std::string_view section, std::string_view key) const {
  if (!settings_) return std::nullopt;
  const QVariant value = settings_->value(KeyPath(section, key));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

void QtSettingsStore::Write(std::string_view section, std::string_view key, std::string_view text) {
  if (!settings_) return;
  settings_->setValue(KeyPath(section, key),
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool QtSettingsStore::Flush() {
  // The file refused at the start was reported then; there is nothing it could hold.
  if (!settings_) return true;
  // A fifo or a device may have taken the file's place while the window was open.
  if (!IsUsableSettingsFile(filePath_)) return false;
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

std::string QtSettingsStore::Location() const { return filePath_.toStdString(); }

}  // namespace kelvane::platform
