#include "app/settings/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>


namespace kelvane::app {
namespace {

TEST(CommandLineTest, ArgumentsAreJoinedBySingleSpaces) {
  EXPECT_EQ(JoinArguments({}), "");
  EXPECT_EQ(JoinArguments({"/home/u/car.dat"}), "/home/u/car.dat");
  EXPECT_EQ(JoinArguments({"/home/u/my", "models/car.dat"}), "/home/u/my models/car.dat");
  EXPECT_EQ(JoinArguments({"a", "", "b"}), "a  b");
}

struct CommandLineCase {
  const char* commandLine;
  PathStyle style;
  std::optional<CommandLineFile> file;
};

TEST(CommandLineTest, OnlyANameEndingInDatCounts) {
  const CommandLineCase cases[] = {
      {"/home/u/Models/car.DAT", PathStyle::kPosix, CommandLineFile{"/home/u/Models/", "car.DAT"}},
      {"/home/u/my models/car.dat", PathStyle::kPosix, CommandLineFile{"/home/u/my models/", "car.dat"}},
      {"car.dat", PathStyle::kPosix, CommandLineFile{"", "car.dat"}},
      {"models/car.Dat", PathStyle::kPosix, CommandLineFile{"models/", "car.Dat"}},
      {"/dat", PathStyle::kPosix, CommandLineFile{"/", "dat"}},
      {"/home/u/cardat", PathStyle::kPosix, CommandLineFile{"/home/u/", "cardat"}},
      {"/home/u/car.ldr", PathStyle::kPosix, std::nullopt},
      {"/home/u/car.mpd", PathStyle::kPosix, std::nullopt},
      {"/home/u/Models/", PathStyle::kPosix, std::nullopt},
      {"/home/u/Models.dat/", PathStyle::kPosix, std::nullopt},
      {"\"/home/u/car.dat\"", PathStyle::kPosix, std::nullopt},
      {"/home/u/car.dat ", PathStyle::kPosix, std::nullopt},
      {"", PathStyle::kPosix, std::nullopt},
      {"at", PathStyle::kPosix, std::nullopt},
      // A backslash is an ordinary character of a name outside Windows.
      {"C:\\Models\\car.DAT", PathStyle::kPosix, CommandLineFile{"", "C:\\Models\\car.DAT"}},
      {"C:\\Models\\car.DAT", PathStyle::kWindows, CommandLineFile{"C:\\Models\\", "car.DAT"}},
      {"C:\\Models/sub\\car.dat", PathStyle::kWindows, CommandLineFile{"C:\\Models/sub\\", "car.dat"}},
      {"C:/Models/car.dat", PathStyle::kWindows, CommandLineFile{"C:/Models/", "car.dat"}},
      {"\"C:\\Models\\car.dat\"", PathStyle::kWindows, std::nullopt},
  };
  for (const auto& [commandLine, style, file] : cases) {
    const auto found = ModelFileFromCommandLine(commandLine, style);
    ASSERT_EQ(found.has_value(), file.has_value()) << commandLine;
    if (found) {
      EXPECT_EQ(found->folder, file->folder) << commandLine;
      EXPECT_EQ(found->fileName, file->fileName) << commandLine;
    }
  }
}

TEST(CommandLineTest, FallbackFolderIsTheHomeFolderOrTheFirstDrive) {
  EXPECT_EQ(FallbackDatFolder("/home/u", PathStyle::kPosix), "/home/u/");
  EXPECT_EQ(FallbackDatFolder("/home/u/", PathStyle::kPosix), "/home/u/");
  EXPECT_EQ(FallbackDatFolder("", PathStyle::kPosix), "/");
  EXPECT_EQ(FallbackDatFolder("C:/Users/u", PathStyle::kWindows), "C:\\");
}

TEST(CommandLineTest, FinalSeparatorIsAddedOnlyWhereMissing) {
  EXPECT_EQ(WithFinalSeparator("/m", PathStyle::kPosix), "/m/");
  EXPECT_EQ(WithFinalSeparator("/m/", PathStyle::kPosix), "/m/");
  EXPECT_EQ(WithFinalSeparator("", PathStyle::kPosix), "");
  EXPECT_EQ(WithFinalSeparator("C:\\m", PathStyle::kWindows), "C:\\m\\");
  EXPECT_EQ(WithFinalSeparator("C:\\m\\", PathStyle::kWindows), "C:\\m\\");
  EXPECT_EQ(WithFinalSeparator("C:/m/", PathStyle::kWindows), "C:/m/");
}

}  // namespace
}  // namespace kelvane::app
