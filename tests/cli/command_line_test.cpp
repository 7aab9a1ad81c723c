#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kelvane::cli {
namespace {

using Action = CommandLine::Action;
using sorting::SortKey;

CommandLine Parse(const std::vector<std::string>& arguments) {
  const std::vector<std::string_view> views(arguments.begin(), arguments.end());
  return ParseCommandLine(views);
}

std::string Describe(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) text.append("[").append(argument).append("]");
  return text;
}

void ExpectSameSettings(const RunSettings& actual, const RunSettings& expected) {
  EXPECT_EQ(actual.sort.sortKey, expected.sort.sortKey);
  EXPECT_EQ(actual.sort.keyOrder, expected.sort.keyOrder);
  EXPECT_EQ(actual.sort.xAscending, expected.sort.xAscending);
  EXPECT_EQ(actual.sort.yAscending, expected.sort.yAscending);
  EXPECT_EQ(actual.sort.zAscending, expected.sort.zAscending);
  EXPECT_EQ(actual.sort.partAscending, expected.sort.partAscending);
  EXPECT_EQ(actual.sort.colorAscending, expected.sort.colorAscending);
  EXPECT_EQ(actual.sort.betweenSteps, expected.sort.betweenSteps);
  EXPECT_EQ(actual.lines, expected.lines);
  EXPECT_EQ(actual.backup, expected.backup);
  EXPECT_EQ(actual.output, expected.output);
  EXPECT_EQ(actual.files, expected.files);
}

// Each accepted command line and how it changes the settings that no option at all gives.
struct Accepted {
  std::vector<std::string> arguments;
  std::function<void(RunSettings&)> change;
};

class CommandLineAccepted : public ::testing::TestWithParam<Accepted> {};

TEST_P(CommandLineAccepted, GivesTheSettings) {
  const CommandLine parsed = Parse(GetParam().arguments);
  ASSERT_EQ(parsed.action, Action::kRun) << Describe(GetParam().arguments) << ": " << parsed.error;
  RunSettings expected;
  expected.files = {"m.dat"};
  GetParam().change(expected);
  ExpectSameSettings(parsed.settings, expected);
}

INSTANTIATE_TEST_SUITE_P(Table, CommandLineAccepted,
                         ::testing::Values(Accepted{{"m.dat"}, [](RunSettings&) {}},
                                           Accepted{
                                               {"--by", "part", "m.dat"},
                                               [](RunSettings& s) { s.sort.sortKey = SortKey::kPartNumber; }},
                                           Accepted{{"--by=color", "m.dat"},
                                                    [](RunSettings& s) { s.sort.sortKey = SortKey::kColor; }},
                                           Accepted{{"m.dat", "--by", "Coordinates"},
                                                    [](RunSettings& s) {
                                                      s.sort.sortKey = SortKey::kCoordinates;
                                                    }},
                                           Accepted{{"--order", "xyz", "m.dat"},
                                                    [](RunSettings& s) {
                                                      s.sort.keyOrder = {0, 1, 2};
                                                    }},
                                           Accepted{{"--order=ZXY", "m.dat"},
                                                    [](RunSettings& s) {
                                                      s.sort.keyOrder = {2, 0, 1};
                                                    }},
                                           Accepted{{"--x", "descending", "m.dat"},
                                                    [](RunSettings& s) { s.sort.xAscending = false; }},
                                           Accepted{{"--y", "ascending", "m.dat"},
                                                    [](RunSettings& s) { s.sort.yAscending = true; }},
                                           Accepted{{"--z=ascending", "m.dat"},
                                                    [](RunSettings& s) { s.sort.zAscending = true; }},
                                           Accepted{{"--part", "DESCENDING", "m.dat"},
                                                    [](RunSettings& s) { s.sort.partAscending = false; }},
                                           Accepted{{"--color", "descending", "m.dat"},
                                                    [](RunSettings& s) { s.sort.colorAscending = false; }},
                                           Accepted{{"--no-steps", "m.dat"},
                                                    [](RunSettings& s) { s.sort.betweenSteps = false; }},
                                           Accepted{{"--no-steps", "--steps", "m.dat"}, [](RunSettings&) {}},
                                           Accepted{{"--no-backup", "m.dat"},
                                                    [](RunSettings& s) { s.backup = false; }},
                                           Accepted{{"--no-backup", "--backup", "m.dat"},
                                                    [](RunSettings&) {}},
                                           Accepted{{"--lines", "3-40,52", "m.dat"},
                                                    [](RunSettings& s) {
                                                      s.lines = std::vector<LineRange>{{3, 40}, {52, 52}};
                                                    }},
                                           Accepted{{"--lines=5", "--lines", "1-2", "m.dat"},
                                                    [](RunSettings& s) {
                                                      s.lines = std::vector<LineRange>{{5, 5}, {1, 2}};
                                                    }},
                                           Accepted{{"-o", "out.dat", "m.dat"},
                                                    [](RunSettings& s) { s.output = "out.dat"; }},
                                           Accepted{{"-oout.dat", "m.dat"},
                                                    [](RunSettings& s) { s.output = "out.dat"; }},
                                           Accepted{{"m.dat", "--output", "-"},
                                                    [](RunSettings& s) { s.output = "-"; }},
                                           Accepted{{"--output=-", "m.dat"},
                                                    [](RunSettings& s) { s.output = "-"; }},
                                           // A later option overrides an earlier one.
                                           Accepted{{"--by", "part", "--by", "color", "--x", "descending",
                                                     "--x", "ascending", "m.dat"},
                                                    [](RunSettings& s) { s.sort.sortKey = SortKey::kColor; }},
                                           Accepted{{"--", "m.dat"}, [](RunSettings&) {}},
                                           Accepted{{"--no-steps", "--", "m.dat"},
                                                    [](RunSettings& s) { s.sort.betweenSteps = false; }},
                                           Accepted{{"--", "--no-steps"},
                                                    [](RunSettings& s) { s.files = {"--no-steps"}; }},
                                           Accepted{{"--", "-m.dat", "--", "-"},
                                                    [](RunSettings& s) { s.files = {"-m.dat", "--", "-"}; }},
                                           Accepted{{"-"}, [](RunSettings& s) { s.files = {"-"}; }},
                                           Accepted{{"a.dat", "--no-backup", "b.ldr", "c.mpd"},
                                                    [](RunSettings& s) {
                                                      s.backup = false;
                                                      s.files = {"a.dat", "b.ldr", "c.mpd"};
                                                    }},
                                           Accepted{{"--by",    "part",        "--order",    "zyx",
                                                     "--x",     "descending",  "--y",        "ascending",
                                                     "--z",     "ascending",   "--part",     "descending",
                                                     "--color", "descending",  "--no-steps", "--lines",
                                                     "2",       "--no-backup", "--output",   "o.dat",
                                                     "m.dat"},
                                                    [](RunSettings& s) {
                                                      s.sort.sortKey = SortKey::kPartNumber;
                                                      s.sort.keyOrder = {2, 1, 0};
                                                      s.sort.xAscending = false;
                                                      s.sort.yAscending = true;
                                                      s.sort.zAscending = true;
                                                      s.sort.partAscending = false;
                                                      s.sort.colorAscending = false;
                                                      s.sort.betweenSteps = false;
                                                      s.lines = std::vector<LineRange>{{2, 2}};
                                                      s.backup = false;
                                                      s.output = "o.dat";
                                                    }}));

TEST(CommandLine, DefaultsAreTheWindowsFirstRunDefaults) {
  const CommandLine parsed = Parse({"m.dat"});
  const sorting::SortOptions window;
  EXPECT_EQ(parsed.settings.sort.sortKey, window.sortKey);
  EXPECT_EQ(parsed.settings.sort.keyOrder, window.keyOrder);
  EXPECT_EQ(parsed.settings.sort.betweenSteps, window.betweenSteps);
  EXPECT_TRUE(parsed.settings.backup);
  EXPECT_FALSE(parsed.settings.lines.has_value());
  EXPECT_FALSE(parsed.settings.output.has_value());
}

// Each rejected command line and a piece of the message that must tell the user what is wrong.
struct Rejected {
  std::vector<std::string> arguments;
  std::string messagePart;
};

class CommandLineRejected : public ::testing::TestWithParam<Rejected> {};

TEST_P(CommandLineRejected, IsAUsageErrorOnOneLine) {
  const CommandLine parsed = Parse(GetParam().arguments);
  ASSERT_EQ(parsed.action, Action::kUsageError) << Describe(GetParam().arguments);
  EXPECT_NE(parsed.error.find(GetParam().messagePart), std::string::npos) << parsed.error;
  EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineRejected,
    ::testing::Values(
        Rejected{{}, "no FILE"}, Rejected{{"--no-steps"}, "no FILE"}, Rejected{{"--"}, "no FILE"},
        Rejected{{"--sort", "m.dat"}, "'--sort'"}, Rejected{{"-x", "m.dat"}, "'-x'"},
        Rejected{{"--by=", "m.dat"}, "--by"}, Rejected{{"--By", "part", "m.dat"}, "'--By'"},
        Rejected{{"--by", "colour", "m.dat"}, "'colour'"}, Rejected{{"--by", "parts", "m.dat"}, "'parts'"},
        Rejected{{"m.dat", "--by"}, "'--by' needs a value"}, Rejected{{"--order", "xxy", "m.dat"}, "'xxy'"},
        Rejected{{"--order", "xy", "m.dat"}, "'xy'"}, Rejected{{"--order", "xyzx", "m.dat"}, "'xyzx'"},
        Rejected{{"--order", "abc", "m.dat"}, "'abc'"}, Rejected{{"--order", "210", "m.dat"}, "'210'"},
        Rejected{{"--x", "up", "m.dat"}, "'up'"}, Rejected{{"--y", "", "m.dat"}, "--y"},
        Rejected{{"--z", "asc", "m.dat"}, "'asc'"}, Rejected{{"--part", "1", "m.dat"}, "--part"},
        Rejected{{"--color", "descending ", "m.dat"}, "--color"}, Rejected{{"--lines", "0", "m.dat"}, "'0'"},
        Rejected{{"--lines", "5-3", "m.dat"}, "'5-3'"}, Rejected{{"--lines", "1,,2", "m.dat"}, "'1,,2'"},
        Rejected{{"--lines", "x", "m.dat"}, "'x'"}, Rejected{{"--lines=", "m.dat"}, "--lines"},
        Rejected{{"--lines", "2", "--lines", "0", "m.dat"}, "'0'"},
        Rejected{{"--steps=yes", "m.dat"}, "takes no value"},
        Rejected{{"--no-backup=1", "m.dat"}, "takes no value"},
        Rejected{{"-o", "a.dat", "-o", "b.dat", "m.dat"}, "more than one output"},
        Rejected{{"-o", "-", "--output", "-", "m.dat"}, "more than one output"},
        Rejected{{"-o", "", "m.dat"}, "empty output"}, Rejected{{"m.dat", "-o"}, "needs a value"},
        Rejected{{"-o", "o.dat", "a.dat", "b.dat"}, "single FILE"},
        Rejected{{"-o", "-", "a.dat", "b.dat", "c.dat"}, "not 3"}));

TEST(CommandLine, HelpAndVersionStopTheReadingWhereTheyStand) {
  struct Case {
    std::vector<std::string> arguments;
    Action action;
  };
  const std::vector<Case> cases = {
      {{"--help"}, Action::kShowHelp},
      {{"-h"}, Action::kShowHelp},
      {{"--version"}, Action::kShowVersion},
      {{"m.dat", "--help", "--bogus"}, Action::kShowHelp},
      {{"--version", "--help"}, Action::kShowVersion},
      {{"--bogus", "--help"}, Action::kUsageError},
      {{"--", "--help"}, Action::kRun},
      {{"--help=now"}, Action::kUsageError},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(Parse(test.arguments).action, test.action) << Describe(test.arguments);
  }
}

}  // namespace
}  // namespace kelvane::cli
