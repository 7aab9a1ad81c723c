#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QtWidgets>
#include <iostream>
#include <span>

#include "platform/dialogs/fake_dialogs.h"
#include "platform/settings/qt_settings_store.h"
#include "settings/shutdown_record.h"
#include "support/temporary_folder.h"

namespace kelvane::platform {
namespace {

QString In(const auto& folder, const char* name) { return QString::fromStdString(folder.File(name)); }

// The file dialog shows the request, takes a typed name that need not exist and gives "" when
// cancelled; the message box shows its title and plain text with its icon and one OK button.
TEST(QtPlatformTest, DialogsShowWhatTheyAreGivenAndTheSettingsFileKeepsWhatItIsGiven) {
  const QString model = "LDraw Model (*.dat,*.ldr,*.mpd)", all = "All Files (*.*)";
  const OpenFileRequest ask{
      "Select .DAT file", QDir::tempPath() + '/', {{model, {"*.dat", "*.ldr", "*.mpd"}}, {all, {"*"}}}};
  QStringList seen;
  for (const QString name : {"new model.ldr", ""}) {
    QTimer::singleShot(0, [&seen, name] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      const auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
      seen = {dialog->windowTitle(), dialog->directory().absolutePath() + '/', types->currentText(),
              types->itemText(1), dialog->nameFilters().value(0)};
      if (name.isEmpty()) return dialog->reject();
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);  // as typed, unlike selectFile()
      QMetaObject::invokeMethod(dialog, "accept");                   // what the Open button does
    });
    EXPECT_EQ(QtFileDialog().GetOpenFileName(nullptr, ask), name.isEmpty() ? "" : ask.initialFolder + name);
    EXPECT_EQ(seen, QStringList({ask.title, ask.initialFolder, model, all, model + " (*.dat *.ldr *.mpd)"}));
  }
  for (const MessageIcon icon : {MessageIcon::kNone, MessageIcon::kWarning}) {
    QTimer::singleShot(0, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      seen = {box->windowTitle(), box->text(), QString::number(box->textFormat() * 10 + box->icon())};
      for (const QAbstractButton* button : box->buttons()) seen.append(button->text().remove('&'));
      box->button(QMessageBox::Ok)->click();
    });
    QtMessageBox().Show(nullptr, "Kelvane", "a <b> & c", icon);
    // Qt::PlainText is 0; QMessageBox::NoIcon 0 and Warning 2.
    EXPECT_EQ(seen, QStringList({"Kelvane", "a <b> & c", QString::number(2 * int(icon)), "OK"}));
  }

  // A file written by hand reads as written (the rows before "W"): a comma outside quotes, blanks, quotes,
  // and typed values as the characters they are, never decoded. Lines that make no sense are passed over
  // and the damaged file is rewritten whole, quietly. What the store writes (the "W" rows) and what it
  // read read back the same, through the store and through QSettings' own INI reading, as earlier
  // versions stored the settings; a failed write is reported. A settings name that leads to a fifo does
  // not hold up the start: nothing is read or written, and that is said once.
  testing::TemporaryFolder folder;
  // clang-format off
  folder.Write("k.conf", "[P]\nD=/u/a, b/\nV=@Variant(\\0\\0\\0\\x7f)\nA=@ByteArray(abc)\nB=@@at\n\x01\xff junk\n"
                         "[S\n[S]\nT = 12 ; set by hand\nQ=\"2\"\n");
  const std::tuple<const char*, const char*, std::string_view> values[] = {
      {"P", "D", "/u/a, b/"}, {"P", "V", std::string_view("@Variant(\0\0\0\x7f)", 14)}, {"P", "A", "@ByteArray(abc)"},
      {"P", "B", "@at"}, {"S", "T", "12"}, {"S", "Q", "2"}, {"W", "0", "/u/Modèle L,v1; a=b/"},
      {"W", "1", " C:\\Models\\"}, {"W", "2", "@@\"q\" #h"}, {"W", "3", ""}};
  // clang-format on
  QtSettingsStore store(In(folder, "k.conf"));
  for (const auto& [s, k, t] : std::span(values).first(6)) EXPECT_EQ(store.Read(s, k), t) << k;
  for (const auto& [s, k, t] : values) store.Write(s, k, t);
  EXPECT_EQ(store.Read("S", "D"), std::nullopt) << "a key belongs to its own section";
  ASSERT_TRUE(store.Flush());
  EXPECT_EQ(folder.Read("k.conf").find("junk"), std::string::npos);
  folder.Write("copy.conf", folder.Read("k.conf"));  // read afresh, not from Qt's cache of the file
  const QtSettingsStore copy(In(folder, "copy.conf"));
  const QSettings plain(In(folder, "copy.conf"), QSettings::IniFormat);
  for (const auto& [s, k, t] : values)
    EXPECT_TRUE(copy.Read(s, k) == t && plain.value(QString(s) + '/' + k).toString().toStdString() == t) << k;
  QtSettingsStore unwritable(In(folder, "k.conf/Kelvane.conf"));  // under a file
  EXPECT_FALSE(settings::SaveSettings(unwritable, {{settings::SettingKey::kBackupFile, "1"}}, std::cout));
  ASSERT_EQ(::mkfifo(folder.File("f").c_str(), 0600), 0);
  ::testing::internal::CaptureStderr();
  QtSettingsStore fifo(In(folder, "f"));
  EXPECT_TRUE(settings::SaveSettings(fifo, {{settings::SettingKey::kBackupFile, "0"}}, std::cerr));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "kelvane: " + folder.File("f") +
                " is not a regular file; the settings are neither read from it nor saved to it\n");
}

}  // namespace
}  // namespace kelvane::platform
