#include "settings/command_line.h"

#include <gtest/gtest.h>

namespace kelvane::settings {
namespace {

// Folder and file name as "folder|name", "none" where the command line names no model. A backslash
// is part of a name on Linux.
TEST(CommandLineTest, OnlyAModelFileNameCounts) {
  const std::pair<const char*, const char*> cases[] = {
      {"/M/car.DAT", "/M/|car.DAT"}, {"car.dat", "|car.dat"},       {"/dat", "/|dat"},
      {"/u/cardat", "/u/|cardat"},   {"/u/car.LDR", "/u/|car.LDR"}, {"\"/u/car.dat\"", "none"},
      {"/u/M.dat/", "none"},         {"/u/carmpd", "none"},         {"/u/car.dat ", "none"},
      {"M\\car.DAT", "|M\\car.DAT"},
  };
  for (const auto& [commandLine, found] : cases) {
    const auto file = ModelFileFromCommandLine(commandLine);
    EXPECT_EQ(file ? file->folder + '|' + file->fileName : "none", found) << commandLine;
  }
  EXPECT_EQ(FallbackDatFolder("/home/u"), "/home/u/");
  EXPECT_EQ(FallbackDatFolder(""), "/");
}

}  // namespace
}  // namespace kelvane::settings
