#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QtWidgets>
#include <filesystem>
#include <iostream>

#include "platform/dialogs/fake_dialogs.h"
#include "platform/settings/qt_settings_store.h"
#include "settings/shutdown_record.h"
#include "support/temporary_folder.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace kelvane::platform {
namespace {

QString In(const testing::TemporaryFolder& folder, const std::string& name) {
  return QString::fromStdString(folder.File(name));
}

// The file dialog shows the request, takes a typed name that need not exist and gives "" when
// cancelled; the message box shows its title and plain text with its icon and one OK button.
TEST(QtDialogsTest, ShowWhatTheyAreGivenAndAnswerAsThePersonDid) {
  testing::TemporaryFolder folder;
  const QString model = "LDraw Model (*.dat,*.ldr,*.mpd)", all = "All Files (*.*)";
  const OpenFileRequest ask{
      "Select .DAT file", In(folder, ""), {{model, {"*.dat", "*.ldr", "*.mpd"}}, {all, {"*"}}}};
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
  for (const auto& [icon, shown] : {std::pair{MessageIcon::kNone, QMessageBox::NoIcon},
                                    std::pair{MessageIcon::kWarning, QMessageBox::Warning}}) {
    QTimer::singleShot(0, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      seen = {box->windowTitle(), box->text(), QString::number(box->textFormat() * 10 + box->icon())};
      for (const QAbstractButton* button : box->buttons()) seen.append(button->text().remove('&'));
      box->button(QMessageBox::Ok)->click();
    });
    QtMessageBox().Show(nullptr, "Kelvane", "a <b> & c", icon);
    EXPECT_EQ(seen, QStringList({"Kelvane", "a <b> & c", QString::number(Qt::PlainText * 10 + shown), "OK"}));
  }
}

// A file written by hand reads as written: a comma outside quotes, blanks, quotes, and typed values as
// the characters they are, never decoded. Lines that make no sense are passed over and the damaged file
// is rewritten whole, quietly. What the store writes reads back the same, through the store and through
// QSettings' own INI reading, as earlier versions stored the settings; a failed write is reported.
TEST(QtSettingsStoreTest, ReadsWhatWasWrittenByHandOrByItselfReportsAFailedWriteAndLeavesAFifoAlone) {
  testing::TemporaryFolder folder;
  folder.Write(
      "k.conf",
      "[Paths]\nDATPath=/u/a, b/\nV=@Variant(\\0\\0\\0\\x7f)\nA=@ByteArray(abc)\nB=@@at\n\x01\xff junk\n"
      "[Settings\n[Settings]\nWindowTop = 12 ; set by hand\nWindowState=\"2\"\n");
  const std::tuple<const char*, const char*, std::string> byHand[] = {
      {"Paths", "DATPath", "/u/a, b/"},  {"Paths", "V", std::string("@Variant(\0\0\0\x7f)", 14)},
      {"Paths", "A", "@ByteArray(abc)"}, {"Paths", "B", "@at"},
      {"Settings", "WindowTop", "12"},   {"Settings", "WindowState", "2"}};
  const std::string texts[] = {"/home/u/Modèles LDraw,v1; a=b/", "C:\\Models\\", "@@\"q\" #h", " lead", ""};
  QtSettingsStore store(In(folder, "k.conf"));
  for (const auto& [section, key, text] : byHand) EXPECT_EQ(store.Read(section, key), text) << key;
  EXPECT_EQ(store.Read("Settings", "DATPath"), std::nullopt) << "a key belongs to its own section";
  for (auto i = 0u; i < std::size(texts); ++i) store.Write("W", std::to_string(i), texts[i]);
  ASSERT_TRUE(store.Flush());
  EXPECT_EQ(folder.Read("k.conf").find("junk"), std::string::npos);
  folder.Write("copy.conf", folder.Read("k.conf"));  // read afresh, not from Qt's cache of the file
  const QtSettingsStore copy(In(folder, "copy.conf"));
  const QSettings plain(In(folder, "copy.conf"), QSettings::IniFormat);
  for (const auto& [section, key, text] : byHand) EXPECT_EQ(copy.Read(section, key), text) << key;
  for (auto i = 0u; i < std::size(texts); ++i) {
    EXPECT_EQ(copy.Read("W", std::to_string(i)), texts[i]);
    EXPECT_EQ(plain.value("W/" + QString::number(i)).toString().toStdString(), texts[i]);
  }
  QtSettingsStore unwritable(In(folder, "k.conf/Kelvane.conf"));  // under a file
  unwritable.Write("Settings", "BackupFile", "1");
  EXPECT_FALSE(unwritable.Flush());
  // A settings name that leads to a fifo is left as it is and does not hold up the start: nothing is
  // read or written, and that is said once.
  ASSERT_EQ(::mkfifo(folder.File("fifo.conf").c_str(), 0600), 0);
  ::testing::internal::CaptureStderr();
  {
    QtSettingsStore fifo(In(folder, "fifo.conf"));
    EXPECT_EQ(fifo.Read("Settings", "BackupFile"), std::nullopt);
    EXPECT_TRUE(settings::SaveSettings(fifo, {{settings::SettingKey::kBackupFile, "0"}}, std::cerr));
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "kelvane: " + folder.File("fifo.conf") +
                " is not a regular file; the settings are neither read from it nor saved to it\n");
  EXPECT_TRUE(std::filesystem::is_fifo(folder.File("fifo.conf")));
}

}  // namespace
}  // namespace kelvane::platform
