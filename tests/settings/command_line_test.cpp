#include "settings/command_line.h"

#include <gtest/gtest.h>

namespace kelvane::settings {
namespace {

using enum PathStyle;

// Folder and file name as "folder|name", "none" where the command line names no model.
TEST(CommandLineTest, OnlyAModelFileNameCounts) {
  const std::tuple<const char*, PathStyle, const char*> cases[] = {
      {"/home/u/M/car.DAT", kPosix, "/home/u/M/|car.DAT"}, {"models/car.Dat", kPosix, "models/|car.Dat"},
      {"car.dat", kPosix, "|car.dat"},          {"/dat", kPosix, "/|dat"},
      {"/u/cardat", kPosix, "/u/|cardat"},      {"/u/car.LDR", kPosix, "/u/|car.LDR"},
      {"/u/car.mpd", kPosix, "/u/|car.mpd"},    {"/u/carmpd", kPosix, "none"},           {"\"/u/car.dat\"", kPosix, "none"},
      {"/u/M.dat/", kPosix, "none"},            {"/u/car.dat ", kPosix, "none"},
      {"", kPosix, "none"},                     {"at", kPosix, "none"},
      {"C:\\M\\car.DAT", kPosix, "|C:\\M\\car.DAT"},  // a backslash is part of a name outside Windows
      {"C:\\M\\car.DAT", kWindows, "C:\\M\\|car.DAT"}, {"C:\\M/s\\car.dat", kWindows, "C:\\M/s\\|car.dat"},
      {"C:/M/car.dat", kWindows, "C:/M/|car.dat"}, {"\"C:\\M\\car.dat\"", kWindows, "none"},
  };
  for (const auto& [commandLine, style, found] : cases) {
    const auto file = ModelFileFromCommandLine(commandLine, style);
    EXPECT_EQ(file ? file->folder + '|' + file->fileName : "none", found) << commandLine;
  }
}

TEST(CommandLineTest, FoldersEndInASeparator) {
  EXPECT_EQ(FallbackDatFolder("/home/u", kPosix), "/home/u/");
  EXPECT_EQ(FallbackDatFolder("", kPosix), "/");
  EXPECT_EQ(FallbackDatFolder("C:/Users/u", kWindows), "C:\\");
  EXPECT_EQ(WithFinalSeparator("C:\\m", kWindows), "C:\\m\\");
  EXPECT_EQ(WithFinalSeparator("C:\\m\\", kWindows), "C:\\m\\");
  EXPECT_EQ(WithFinalSeparator("C:/m/", kWindows), "C:/m/");
}

}  // namespace
}  // namespace kelvane::settings
