#include "platform/settings/qt_settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/settings/shutdown_record.h"
#include "support/temporary_folder.h"

namespace kelvane::platform {
namespace {

using Sections = std::map<std::string, std::vector<std::string>>;

// The lines of an INI file by section, blank lines left out.
Sections ReadIniLines(const std::string& path) {
  Sections sections;
  std::istringstream in(testing::ReadFileBytes(path));
  std::string section;
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) continue;
    if (line.front() == '[') {
      section = line.substr(1, line.size() - 2);
      sections[section];
    } else {
      sections[section].push_back(line);
    }
  }
  return sections;
}

app::ShutdownState NormalWindow(const std::string& datPath) {
  app::ShutdownState state;
  state.left = -105.0f;
  state.top = 2400.0f;
  state.width = 12000.0f;
  state.height = 9487.5f;
  state.datPath = datPath;
  return state;
}

TEST(QtSettingsStoreTest, FileHoldsExactlyTheTextsOfTheRecord) {
  testing::TemporaryFolder folder;
  const std::string path = folder.File("Kelvane.conf");
  const auto record = app::ShutdownRecord(NormalWindow("/home/u/LDraw models/"));
  {
    QtSettingsStore store(QString::fromStdString(path));
    std::ostringstream diagnostics;
    ASSERT_TRUE(app::SaveSettings(store, record, diagnostics)) << diagnostics.str();
  }
  Sections expected;
  for (const app::SettingWrite& write : record) {
    const app::SettingDefinition& setting = app::Definition(write.key);
    expected[std::string(setting.section)].push_back(std::string(setting.name) + '=' + write.text);
  }
  Sections written = ReadIniLines(path);
  for (auto& [section, lines] : written) std::sort(lines.begin(), lines.end());
  for (auto& [section, lines] : expected) std::sort(lines.begin(), lines.end());
  EXPECT_EQ(written, expected);
  EXPECT_EQ(written["Settings"], (std::vector<std::string>{"BackupFile=1", "WindowHeight=9487.5", "WindowLeft=-105",
                                                           "WindowState=0", "WindowTop=2400", "WindowWidth=12000"}));
}

TEST(QtSettingsStoreTest, HandWrittenFileReadsBackAsWritten) {
  testing::TemporaryFolder folder;
  folder.Write("Kelvane.conf",
               "[Paths]\n"
               "DATPath=/home/u/a, b/\n"
               "[Settings]\n"
               "WindowWidth = 12000 \n"
               "WindowState=\n"
               "[SortOptions]\n"
               "XSortOpt0=true\n"
               "XSortOpt1=\"False\"\n"
               "SortOption=by color\n");
  const QtSettingsStore store(QString::fromStdString(folder.File("Kelvane.conf")));
  EXPECT_EQ(store.Read("Paths", "DATPath"), "/home/u/a, b/");
  EXPECT_EQ(store.Read("Settings", "WindowWidth"), "12000");
  EXPECT_EQ(store.Read("Settings", "WindowState"), "");
  EXPECT_EQ(store.Read("SortOptions", "XSortOpt0"), "true");
  EXPECT_EQ(store.Read("SortOptions", "XSortOpt1"), "False");
  EXPECT_EQ(store.Read("SortOptions", "SortOption"), "by color");
  EXPECT_EQ(store.Read("SortOptions", "BetweenSteps"), std::nullopt);
  EXPECT_EQ(store.Read("Settings", "DATPath"), std::nullopt) << "a key belongs to its own section";
}

TEST(QtSettingsStoreTest, AwkwardTextsSurviveARoundTrip) {
  testing::TemporaryFolder folder;
  const QString path = QString::fromStdString(folder.File("Kelvane.conf"));
  const std::vector<std::string> texts = {"/home/u/Modèles LDraw/", " leading blank/", "a, b; c=d/", "@at/",
                                          "C:\\Models\\",           "\"quoted\"",        "#hash/",     ""};
  {
    QtSettingsStore store(path);
    for (std::size_t i = 0; i < texts.size(); ++i) store.Write("Paths", "Key" + std::to_string(i), texts[i]);
    ASSERT_TRUE(store.Flush());
  }
  const QtSettingsStore store(path);
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(store.Read("Paths", "Key" + std::to_string(i)), texts[i]);
}

TEST(QtSettingsStoreTest, UnwritableFileIsReported) {
  testing::TemporaryFolder folder;
  folder.Write("taken", "a file where the settings folder should be");
  QtSettingsStore store(QString::fromStdString(folder.File("taken/Kelvane.conf")));
  store.Write("Settings", "BackupFile", "1");
  EXPECT_FALSE(store.Flush());
  EXPECT_EQ(store.Location(), folder.File("taken/Kelvane.conf"));
}

// Sets an environment variable for the lifetime of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value)
      : name_(name), hadValue_(qEnvironmentVariableIsSet(name)), earlier_(qgetenv(name)) {
    qputenv(name, QByteArray::fromStdString(value));
  }
  ~ScopedEnvironment() {
    if (hadValue_) {
      qputenv(name_, earlier_);
    } else {
      qunsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool hadValue_;
  QByteArray earlier_;
};

TEST(QtSettingsStoreTest, UserStoreIsKelvaneConfInTheUsersFolder) {
  testing::TemporaryFolder folder;
  const ScopedEnvironment configHome("XDG_CONFIG_HOME", folder.Path());
  {
    QtSettingsStore store;
    EXPECT_EQ(store.Location(), folder.File("Kelvane/Kelvane.conf"));
    store.Write("Settings", "WindowState", "2");
    ASSERT_TRUE(store.Flush());
  }
  EXPECT_EQ(ReadIniLines(folder.File("Kelvane/Kelvane.conf"))["Settings"],
            std::vector<std::string>{"WindowState=2"});
}

}  // namespace
}  // namespace kelvane::platform
