#include "platform/settings/qt_settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

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

}  // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(UserSettingsPath()) {}

QtSettingsStore::QtSettingsStore(const QString& filePath)
    : settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {
  settings_->setFallbacksEnabled(false);
}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::Read(std::string_view section, std::string_view key) const {
  const QVariant value = settings_->value(KeyPath(section, key));
  if (!value.isValid()) return std::nullopt;
  // An INI value with a comma outside quotes comes back as a list: a folder such as
  // "/home/u/a, b/" typed by hand. Joined again it is the text that was meant.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QStringLiteral(", ")).toStdString();
  return value.toString().toStdString();
}

void QtSettingsStore::Write(std::string_view section, std::string_view key, std::string_view text) {
  // Always a QString, never a number or a bool: QSettings then writes exactly these characters
  // (quoting only what the INI syntax needs, such as leading blanks or commas).
  settings_->setValue(KeyPath(section, key), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool QtSettingsStore::Flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

std::string QtSettingsStore::Location() const { return settings_->fileName().toStdString(); }

}  // namespace kelvane::platform
