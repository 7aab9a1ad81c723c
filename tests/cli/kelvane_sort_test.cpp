// kelvane-sort as a user runs it: the built program, its exit status, its messages and the files it
// leaves behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "document/line_list.h"
#include "document/model_file_reader.h"
#include "kelvane/version.h"
#include "sorting/sort_command.h"
#include "support/temporary_folder.h"
#include "tool_process.h"

namespace kelvane::cli {
namespace {

using namespace std::string_literals;

using kelvane::testing::TemporaryFolder;
using testing::ProcessResult;
using testing::RunAs;
using testing::RunKelvaneSort;

// Two steps of three parts. Read with the default options (Y first, largest first; then Z, largest
// first; then X, smallest first) each step comes out reversed: C B A, then F E D.
const std::map<char, std::string> kPart = {
    {'A', "1 4 20 -8 0 1 0 0 0 1 0 0 0 1 3005.dat"},    {'B', "1 1 -20 -8 10 1 0 0 0 1 0 0 0 1 3001.dat"},
    {'C', "1 15 0 0 10 1 0 0 0 1 0 0 0 1 3003.dat"},    {'D', "1 2 10 -24 0 1 0 0 0 1 0 0 0 1 3024.dat"},
    {'E', "1 0 -10 -24 5 1 0 0 0 1 0 0 0 1 3070b.dat"}, {'F', "1 7 30 8 5 1 0 0 0 1 0 0 0 1 3010.dat"},
};
constexpr std::string_view kHeader = "0 Name: m.ldr";
constexpr std::string_view kStep = "0 STEP";

// The model file with the parts in the order given ("ABC" then "DEF"), with the given line end.
std::string Model(std::string_view firstStep, std::string_view secondStep, std::string_view end) {
  std::string text = std::string(kHeader).append(end);
  for (const char part : firstStep) text.append(kPart.at(part)).append(end);
  text.append(kStep).append(end);
  for (const char part : secondStep) text.append(kPart.at(part)).append(end);
  return text;
}

const std::string kInput = Model("ABC", "DEF", "\n");

std::string Saved(std::string_view firstStep, std::string_view secondStep) {
  return Model(firstStep, secondStep, "\r\n");
}

class KelvaneSortTest : public ::testing::Test {
 protected:
  ProcessResult Run(const std::vector<std::string>& arguments, RunAs user = RunAs::kSelf,
                    const std::string& standardOutput = "") {
    return RunKelvaneSort(arguments, folder_.Path(), user, standardOutput);
  }
  std::size_t EntryCount(const std::string& subfolder = "") const {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.File(subfolder))) {
      ++count;
    }
    return count;
  }

  TemporaryFolder folder_;
};

struct OptionEffect {
  std::vector<std::string> options;
  std::string expected;  // the file as written
};

class KelvaneSortOptions : public KelvaneSortTest, public ::testing::WithParamInterface<OptionEffect> {};

TEST_P(KelvaneSortOptions, SortTheModelAsAsked) {
  folder_.Write("m.ldr", kInput);
  std::vector<std::string> arguments = GetParam().options;
  arguments.push_back("m.ldr");
  const ProcessResult result = Run(arguments);
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(folder_.Read("m.ldr"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KelvaneSortOptions,
    ::testing::Values(
        OptionEffect{{}, Saved("CBA", "FED")},
        OptionEffect{{"--by", "coordinates", "--order", "yzx", "--steps"}, Saved("CBA", "FED")},
        // One section: F, highest of all, moves into the first step; the STEP line stays in place.
        OptionEffect{{"--no-steps"}, Model("FCB", "AED", "\r\n")},
        OptionEffect{{"--no-steps", "--steps"}, Saved("CBA", "FED")},
        OptionEffect{{"--y", "ascending"}, Saved("BAC", "EDF")},
        OptionEffect{{"--z", "ascending"}, Saved("CAB", "FDE")},
        OptionEffect{{"--order", "xyz"}, Saved("BCA", "EDF")},
        OptionEffect{{"--order=XZY", "--x", "descending"}, Saved("ACB", "FDE")},
        OptionEffect{{"--by", "part"}, Saved("BCA", "FDE")},
        OptionEffect{{"--by", "part", "--part", "descending"}, Saved("ACB", "EDF")},
        OptionEffect{{"--by=color"}, Saved("BAC", "EDF")},
        OptionEffect{{"--by", "color", "--color", "descending"}, Saved("CAB", "FDE")},
        // Lines 2 and 3 (A and B) only; line 9 is past the end.
        OptionEffect{{"--lines", "2-3,9"}, Saved("BAC", "DEF")},
        OptionEffect{{"--lines", "3", "--lines", "2"}, Saved("BAC", "DEF")},
        // Lines 1 and 5 are no part lines, 7 is alone in its step: nothing moves, but the file is
        // still written in its saved form.
        OptionEffect{{"--lines", "1,5,7"}, Saved("ABC", "DEF")}));

TEST_F(KelvaneSortTest, OverwritingKeepsTheOldFileAsBackupUnlessToldNot) {
  folder_.Write("m.ldr", kInput);
  ASSERT_EQ(Run({"m.ldr"}).exitStatus, 0);
  EXPECT_EQ(folder_.Read("m.bak"), kInput);

  folder_.Write("n.ldr", kInput);
  folder_.Write("n.bak", "older");
  ASSERT_EQ(Run({"--no-backup", "n.ldr"}).exitStatus, 0);
  EXPECT_EQ(folder_.Read("n.ldr"), Saved("CBA", "FED"));
  EXPECT_EQ(folder_.Read("n.bak"), "older");
  EXPECT_EQ(EntryCount(), 4u);
}

TEST_F(KelvaneSortTest, OutputToAFileLeavesTheModelAndMakesNoBackup) {
  folder_.Write("m.ldr", kInput);
  const ProcessResult result = Run({"-o", "sorted.ldr", "--backup", "m.ldr"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(folder_.Read("sorted.ldr"), Saved("CBA", "FED"));
  EXPECT_EQ(folder_.Read("m.ldr"), kInput);
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(KelvaneSortTest, OutputToStandardOutputWritesNoFile) {
  folder_.Write("m.ldr", kInput);
  const ProcessResult result = Run({"--output", "-", "m.ldr"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.out, Saved("CBA", "FED"));
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(folder_.Read("m.ldr"), kInput);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(KelvaneSortTest, EveryLineEndIsWrittenAsCrLfAndEveryOtherByteIsKept) {
  const std::string high = "1 4 0 9 0 1 0 0 0 1 0 0 0 1 \xe9t\xe9\t.dat"s;
  const std::string low = "1 4 0 1 0 1 0 0 0 1 0\0 0 0 1 caf\xc3\xa9.dat  "s;
  const std::string comment = "0 \x80\xff\t \0"s;
  folder_.Write("m.dat", low + "\n" + comment + "\r" + high);
  ASSERT_EQ(Run({"m.dat"}).exitStatus, 0);
  EXPECT_EQ(folder_.Read("m.dat"), high + "\r\n" + comment + "\r\n" + low + "\r\n");
}

TEST_F(KelvaneSortTest, SeveralFilesAreEachSorted) {
  folder_.Write("a.ldr", kInput);
  folder_.Write("b.dat", Model("CAB", "EFD", "\r"));
  folder_.Write("c.mpd", Model("BAC", "", "\r\n"));
  const ProcessResult result = Run({"a.ldr", "b.dat", "--no-backup", "c.mpd"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(folder_.Read("a.ldr"), Saved("CBA", "FED"));
  EXPECT_EQ(folder_.Read("b.dat"), Saved("CBA", "FED"));
  EXPECT_EQ(folder_.Read("c.mpd"), Saved("CBA", ""));
  EXPECT_EQ(EntryCount(), 3u);
}

TEST_F(KelvaneSortTest, DoubleDashLetsANameBeginWithADash) {
  folder_.Write("-m.ldr", kInput);
  const ProcessResult result = Run({"--no-backup", "--", "-m.ldr"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(folder_.Read("-m.ldr"), Saved("CBA", "FED"));
}

TEST_F(KelvaneSortTest, AUsageErrorExitsWithTwoAndWritesNothing) {
  folder_.Write("m.ldr", kInput);
  folder_.Write("n.ldr", kInput);
  const std::vector<std::vector<std::string>> commandLines = {
      {"--by", "size", "m.ldr"},
      {"--order", "xxz", "m.ldr"},
      {"--x", "left", "m.ldr"},
      {"--lines", "5-3", "m.ldr"},
      {"--lines", "1,,2", "m.ldr"},
      {"--lines", "0", "m.ldr"},
      {"--frobnicate", "m.ldr"},
      {"m.ldr", "--by"},
      {"-o", "out.ldr", "m.ldr", "n.ldr"},
      {"-o", "-", "m.ldr", "n.ldr"},
      {"--steps=no", "m.ldr"},
      {},
  };
  for (const auto& arguments : commandLines) {
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.out, "");
    const auto firstEnd = result.err.find('\n');
    EXPECT_EQ(result.err.rfind("kelvane-sort: ", 0), 0u) << result.err;
    EXPECT_EQ(result.err.substr(firstEnd + 1), "Try 'kelvane-sort --help' for more information.\n");
  }
  EXPECT_EQ(folder_.Read("m.ldr"), kInput);
  EXPECT_EQ(folder_.Read("n.ldr"), kInput);
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(KelvaneSortTest, HelpAndVersion) {
  const ProcessResult help = Run({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_EQ(help.out.rfind("Usage: kelvane-sort [OPTIONS] FILE...\n", 0), 0u);
  EXPECT_EQ(help.err, "");
  for (const char* option :
       {"--by", "--order", "--x", "--y", "--z", "--part", "--color", "--steps", "--no-steps", "--lines",
        "--backup", "--no-backup", "-o, --output", "-h, --help", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(Run({"-h"}).out, help.out);

  const ProcessResult version = Run({"--version"});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.out, std::string("kelvane-sort ") + kVersionText + "\n");
}

TEST_F(KelvaneSortTest, AFileThatCannotBeReadIsNamedAndTheOthersAreStillSorted) {
  folder_.Write("a.ldr", kInput);
  folder_.Write("c.ldr", kInput);
  std::filesystem::create_directory(folder_.File("d.ldr"));
  const ProcessResult result = Run({"a.ldr", "missing.ldr", "d.ldr", "c.ldr"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.err,
            "kelvane-sort: missing.ldr: No such file or directory\n"
            "kelvane-sort: d.ldr: Is a directory\n");
  EXPECT_EQ(folder_.Read("a.ldr"), Saved("CBA", "FED"));
  EXPECT_EQ(folder_.Read("c.ldr"), Saved("CBA", "FED"));
  EXPECT_FALSE(folder_.Exists("missing.ldr"));
}

TEST_F(KelvaneSortTest, AFileTheUserMayNotReadIsNamedWithTheReason) {
  folder_.Write("a.ldr", kInput);
  folder_.Write("secret.ldr", kInput);
  ::chmod(folder_.Path().c_str(), 0777);
  ::chmod(folder_.File("a.ldr").c_str(), 0666);
  ::chmod(folder_.File("secret.ldr").c_str(), 0600);
  ::chown(folder_.File("secret.ldr").c_str(), 0, 0);
  const ProcessResult result = Run({"--no-backup", "secret.ldr", "a.ldr"}, RunAs::kNobody);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.err, "kelvane-sort: secret.ldr: Permission denied\n");
  EXPECT_EQ(folder_.Read("secret.ldr"), kInput);
  EXPECT_EQ(folder_.Read("a.ldr"), Saved("CBA", "FED"));
}

TEST_F(KelvaneSortTest, AFolderThatCannotBeWrittenLosesNothing) {
  std::filesystem::create_directory(folder_.File("locked"));
  folder_.Write("locked/m.ldr", kInput);
  folder_.Write("locked/m.bak", "older");
  folder_.Write("free.ldr", kInput);
  ::chmod(folder_.Path().c_str(), 0777);
  ::chmod(folder_.File("free.ldr").c_str(), 0666);
  ::chmod(folder_.File("locked/m.ldr").c_str(), 0666);
  ::chmod(folder_.File("locked").c_str(), 0555);

  const ProcessResult result = Run({"locked/m.ldr", "free.ldr"}, RunAs::kNobody);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.err.rfind("kelvane-sort: locked/m.ldr: not saved: ", 0), 0u) << result.err;
  EXPECT_NE(result.err.find("Permission denied"), std::string::npos) << result.err;
  EXPECT_EQ(folder_.Read("locked/m.ldr"), kInput);
  EXPECT_EQ(folder_.Read("locked/m.bak"), "older");
  EXPECT_EQ(EntryCount("locked"), 2u);  // no temporary file left behind
  EXPECT_EQ(folder_.Read("free.ldr"), Saved("CBA", "FED"));
}

TEST_F(KelvaneSortTest, AnOutputThatCannotBeWrittenIsNamed) {
  folder_.Write("m.ldr", kInput);
  const ProcessResult result = Run({"-o", "no/such/folder.ldr", "m.ldr"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.err.rfind("kelvane-sort: no/such/folder.ldr: not saved: ", 0), 0u) << result.err;
  EXPECT_EQ(folder_.Read("m.ldr"), kInput);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(KelvaneSortTest, AFullStandardOutputIsAnError) {
  folder_.Write("m.ldr", kInput);
  const ProcessResult result = Run({"-o", "-", "m.ldr"}, RunAs::kSelf, "/dev/full");
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.err, "kelvane-sort: standard output: No space left on device\n");
}

TEST_F(KelvaneSortTest, ANamedPipeAsOutputIsWrittenIntoNotReplaced) {
  folder_.Write("m.ldr", kInput);
  ASSERT_EQ(::mkfifo(folder_.File("pipe").c_str(), 0600), 0);
  // Held open for reading and writing, the pipe never blocks the program's open; the small result
  // fits into its buffer.
  const int pipe = ::open(folder_.File("pipe").c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(pipe, 0);
  const ProcessResult result = Run({"-o", "pipe", "m.ldr"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  std::string received(4096, '\0');
  const ssize_t count = ::read(pipe, received.data(), received.size());
  ::close(pipe);
  received.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  EXPECT_EQ(received, Saved("CBA", "FED"));
  struct stat info {};
  ASSERT_EQ(::stat(folder_.File("pipe").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(EntryCount(), 2u);
}

// Large enough for the program to prepare its heap for a big model, which must not change a byte.
TEST_F(KelvaneSortTest, ALargeModelComesOutAsTheEngineSortsIt) {
  std::string model;
  for (int i = 0; i < 240'000; ++i) {
    if (i % 51 == 50) {
      model.append("0 STEP\n");
      continue;
    }
    model.append("1 ").append(std::to_string(i % 16)).append(" ").append(std::to_string(i * 7 % 40 * 20));
    model.append(" ")
        .append(std::to_string(i * 13 % 30 * -8))
        .append(" ")
        .append(std::to_string(i * 17 % 40 * 20));
    model.append(" 1 0 0 0 1 0 0 0 1 ").append(std::to_string(3000 + i % 50)).append(".dat\n");
  }
  ASSERT_GT(model.size(), 9u << 20);
  folder_.Write("big.ldr", model);

  document::LineList expected(document::ReadModelFile(folder_.File("big.ldr")).lines);
  for (std::size_t i = 0; i < expected.Size(); ++i) expected.SetChecked(i, expected.Text(i)[0] == '1');
  sorting::SortOptions options;
  options.betweenSteps = false;
  ASSERT_TRUE(sorting::SortCheckedLines(expected, options));
  std::string expectedBytes;
  for (const std::string& line : expected.Texts()) expectedBytes.append(line).append("\r\n");

  const ProcessResult result = Run({"--no-steps", "-o", "-", "big.ldr"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_TRUE(result.out == expectedBytes);  // not EXPECT_EQ: a failure would print 10 MB twice
}

}  // namespace
}  // namespace kelvane::cli
