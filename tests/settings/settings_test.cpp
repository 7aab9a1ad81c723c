// The settings library: the texts the store holds, the start-up plan made from them, and the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

#include "document/folder_listing.h"
#include "settings/memory_settings_store.h"
#include "settings/setting_text.h"
#include "settings/startup_plan.h"
#include "support/temporary_folder.h"

namespace kelvane::settings {
namespace {

using I = std::pair<const char*, std::optional<int>>;
using B = std::pair<const char*, std::optional<bool>>;
using S = std::pair<const char*, std::optional<float>>;
using W = std::pair<float, const char*>;

TEST(SettingTextTest, NumbersAndBooleansAsTheStoreHoldsThem) {
  // Integers round a half to the even neighbour, on the decimal digits, and must fit 16 bits.
  for (const auto& [text, value] :
       {I{" \t+7 ", 7}, I{".5", 0}, I{"1.5", 2}, I{"-2.5", -2}, I{"0032767", 32767}, I{"32767.5", {}},
        I{"-32768.5", -32768}, I{"-32769", {}}, I{"- 1", {}}, I{".", {}}, I{"1e3", {}}, I{"", {}},
        I{"2.50000000000000000001", 3}})
    EXPECT_EQ(ParseInteger(text), value) << text;
  for (const auto& [text, value] : {B{"tRuE", true}, B{" False\t", false}, B{"0.0", false}, B{"-1", true},
                                    B{"0.4", true}, B{"yes", {}}, B{"True1", {}}, B{"", {}}})
    EXPECT_EQ(ParseBoolean(text), value) << text;
  // Too small to tell from 0, the largest single, too large.
  for (const auto& [text, value] :
       {S{" -7.25 ", -7.25f}, S{"+3", 3}, S{".5", 0.5f}, S{"16777217", 16777216}, S{"1e5", {}},
        S{"12 000", {}}, S{"0.000000000000000000000000000000000000000000000000001", 0.0f},
        S{"340282346638528859811704183484516925440", 3.40282347e38f},
        S{"1000000000000000000000000000000000000000000", {}}})
    EXPECT_EQ(ParseSingle(text), value) << text;
  EXPECT_FALSE(std::signbit(*ParseSingle("-0.0")));
}

// Singles are written with at most seven significant digits, never an exponent, and read back.
TEST(SettingTextTest, EveryWrittenSingleReadsBackToItsSevenDigitValue) {
  for (const auto& [value, text] :
       {W{-7.25f, "-7.25"}, W{-0.0f, "0"}, W{12345678, "12345680"}, W{1.0e10f, "10000000000"},
        W{0.000125f, "0.000125"}, W{9999999.5f, "10000000"}})
    EXPECT_EQ(FormatSingle(value), text) << value;
  std::mt19937 random(20260);
  for (int i = 0; i < 5000; ++i) {
    const float value = std::ldexp(std::uniform_real_distribution<float>(-2, 2)(random),
                                   static_cast<int>(random() % 61) - 30);
    const std::string text = FormatSingle(value);
    EXPECT_EQ(text.find_first_of("eE+"), std::string::npos) << text;
    const float back = ParseSingle(text).value_or(NAN);
    EXPECT_NEAR(back, value, std::fabs(value) * 1e-6f) << text;
    EXPECT_EQ(FormatSingle(back), text) << "writing what was read changes nothing";
  }
}

// `stored` as "Key=text Key=text"; the window is created at 11565 x 9165 twips, the fallback folder is "/h/".
StartupPlan Plan(const std::string& stored, std::string commandLine = "",
                 ScreenMetrics screen = {15, 15, 1920 * 15, 1080 * 15}) {
  MemorySettingsStore store;
  std::istringstream words(stored);
  for (std::string word; words >> word;)
    WriteSetting(
        store,
        std::ranges::find(kSettingDefinitions, word.substr(0, word.find('=')), &SettingDefinition::name)->id,
        word.substr(word.find('=') + 1));
  return PlanStartup(store, {screen, 11565, 9165, std::move(commandLine), "/h/"});
}

// The plan in one line: backup, sort option, between steps, key order, the selected direction button
// per axis, window state, then left, top, width and height; "-" for a step that is skipped.
std::string Describe(const StartupPlan& p) {
  std::ostringstream s;
  const auto put = [&s](const auto& value) { value ? s << static_cast<float>(*value) << ' ' : s << "- "; };
  put(p.backupFile), put(p.sortOption), put(p.betweenSteps),
      s << p.sortKeyOrder[0] << p.sortKeyOrder[1] << p.sortKeyOrder[2] << ' ', put(p.directionIndex[0]),
      put(p.directionIndex[1]), put(p.directionIndex[2]), put(p.windowState), put(p.geometry.left),
      put(p.geometry.top), put(p.geometry.width), put(p.geometry.height);
  return s.str();
}

TEST(StartupPlanTest, StoredTextsThatTheControlsOrTheWindowRefuseAreSkipped) {
  // Rows of settings that do not touch each other. A pair of direction buttons is set in turn, the
  // second one last; a pair with no "True" is left alone. A key order that is not a permutation becomes
  // the first-run order. A maximised window keeps the centred first-run bounds for its normal state. A
  // refused size leaves the created 11565 x 9165, which the default position centres; a small one grows
  // to the smallest. With nothing stored, 800 x 600 pixels, centred.
  const std::pair<const char*, const char*> cases[] = {
      {"", "1 0 1 120 1 0 0 0 8400 3600 12000 9000 "},
      {"SortOption=1.5 BackupFile=0 BetweenSteps=0 XSortOpt0=-1 XSortOpt1=0 YSortOpt0=junk YSortOpt1=True "
       "ZSortOpt0=0.5 SortKeyOrder0=2.4 SortKeyOrder1=0.5 SortKeyOrder2=1 WindowWidth=1500 WindowHeight=1500",
       "0 2 0 201 0 1 0 0 9900 3975 9000 8250 "},
      {"SortOption=-1 BackupFile=2 BetweenSteps= XSortOpt0=True XSortOpt1=True YSortOpt0=True YSortOpt1=junk "
       "ZSortOpt0=False ZSortOpt1=False SortKeyOrder0=x SortKeyOrder1=2 SortKeyOrder2=1 WindowWidth=0 "
       "WindowHeight=wide WindowState=3 WindowLeft=-150",
       "- - - 021 1 0 - - -150 3517 - - "},
      {"SortOption=3 BackupFile=False SortKeyOrder0=1 SortKeyOrder1=1 SortKeyOrder2=0 "
       "WindowWidth=1000000000000 "
       "WindowLeft=-1000000000000",
       "- - 1 120 1 0 0 0 - 3600 - 9000 "},
      {"WindowState=1 WindowLeft=-150 WindowTop=40000 WindowWidth=15000 WindowHeight=10500",
       "1 0 1 120 1 0 0 1 -150 40000 15000 10500 "},
      {"SortKeyOrder0=3 SortKeyOrder1=2 SortKeyOrder2=0 WindowState=2 WindowLeft=-150 WindowWidth=15000",
       "1 0 1 120 1 0 0 2 8400 3600 12000 9000 "}};
  for (const auto& [stored, plan] : cases) EXPECT_EQ(Describe(Plan(stored)), plan) << stored;
  // Centred by integer halving, rounding a half to the even neighbour first: off the edges of a
  // screen smaller than the window, -15 and -13.5 twips to spare both put it 7 twips over.
  EXPECT_EQ(Describe(Plan("", "", {12, 12, 1365 * 12, 767 * 12})), "1 0 1 120 1 0 0 0 3390 1002 9600 7200 ");
  EXPECT_EQ(Describe(Plan("", "", {15, 15, 11985, 8986.5f})), "1 0 1 120 1 0 0 0 -7 -7 12000 9000 ");
}

// The stored folder, then the command line with the folder listing and its entry to select.
TEST(StartupPlanTest, FolderFromTheStoreOrTheCommandLineAndTheFileToSelect) {
  testing::TemporaryFolder m, stored;
  // "" is left by a bare file name on an earlier command line: the current folder.
  const std::string folders[] = {
      m.Path(), m.Path(), m.Path().substr(0, m.Path().size() - 1), m.Path(), m.File("gone/"), "/h/", "", ""};
  for (int i = 0; i < 8; i += 2)
    EXPECT_EQ(Plan("DATPath=" + folders[i]).datPath, folders[i + 1]) << folders[i];

  stored.Write("stored.dat", "0"), std::filesystem::create_directory(m.File("my  models"));
  m.Write("my  models/x.dat", "0");
  // c.txt as every command line that names no model. Which entry a listed folder selects, whatever the
  // letter case, and the first where the named file is not listed, the window's tests tell.
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{m.File("gone/car.dat")}, m.File("gone/") + "|none"},
      {{m.File("my"), "", "models/x.dat"}, m.File("my  models/") + "|x.dat"},
      {{m.File("c.txt")}, stored.Path() + "|stored.dat"}};
  for (const auto& [arguments, outcome] : cases) {
    const StartupPlan plan = Plan("DATPath=" + stored.Path(), JoinArguments(arguments));
    const auto names = document::ListDatFiles(plan.datPath).names;
    const auto entry = EntryToSelect(names, plan.fileToOpen);
    EXPECT_EQ(plan.datPath + '|' + (entry ? names[*entry] : "none"), outcome) << arguments[0];
  }
}

// Folder and file name as "folder|name", "none" where the command line names no model. A backslash
// is part of a name on Linux.
TEST(CommandLineTest, OnlyAModelFileNameCounts) {
  const std::pair<const char*, const char*> cases[] = {
      {"/M/car.DAT", "/M/|car.DAT"}, {"car.dat", "|car.dat"},    {"/dat", "/|dat"},
      {"/u/car.LDR", "/u/|car.LDR"}, {"\"/u/car.dat\"", "none"}, {"/u/M.dat/", "none"},
      {"/u/carmpd", "none"},         {"/u/car.dat ", "none"},    {"M\\car.DAT", "|M\\car.DAT"}};
  const auto shown = [](const auto& file) { return file ? file->folder + '|' + file->fileName : "none"; };
  for (const auto& [commandLine, found] : cases)
    EXPECT_EQ(shown(ModelFileFromCommandLine(commandLine)), found) << commandLine;
  EXPECT_EQ(FallbackDatFolder("/home/u") + '|' + FallbackDatFolder(""), "/home/u/|/");
}

}  // namespace
}  // namespace kelvane::settings
