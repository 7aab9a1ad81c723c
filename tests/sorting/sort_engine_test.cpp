#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <random>
#include <utility>

#include "document/check_rules.h"
#include "document/model_file_reader.h"
#include "sorting/line_fields.h"
#include "sorting/plain_sort_reference.h"
#include "sorting/section_boundaries.h"
#include "sorting/sort_command.h"
#include "sorting/sort_run.h"
#include "support/temporary_folder.h"

namespace kelvane::sorting {
namespace {

using document::LineList;
using std::string;
using Texts = std::vector<string>;
using F = std::pair<string, string>;  // a line and its x, y, z, part name and color, joined by '|'
using V = std::pair<string, double>;
using K = std::pair<double, float>;

string P(const string& xyz, const string& part = "3001", int color = 4) {
  return string("1 ") + std::to_string(color) + " " + xyz + " 1 0 0 0 1 0 0 0 1 " + part + ".dat";
}

// The texts between the '|' of `joined`.
Texts Split(const string& joined) {
  Texts texts{""};
  for (const char c : joined) c == '|' ? void(texts.emplace_back()) : texts.back().push_back(c);
  return texts;
}

// Every checkable line checked, except those of the part "skip". In a case, "@" and a color stand for a
// part line of that color, with the part name following if any; "=" and x, y, z for a part line there.
LineList Checked(Texts texts) {
  for (string& text : texts)
    text = text.starts_with('=')   ? P(text.substr(1))
           : text.starts_with('@') ? P("0 0 0", text.size() > 2 ? text.substr(2) : "3001", text[1] - '0')
                                   : text;
  LineList lines(texts);
  for (std::size_t i = 0; i < texts.size(); ++i)
    lines.SetChecked(i, document::IsCheckable(texts[i]) && !texts[i].ends_with(" skip.dat"));
  return lines;
}

Texts Shown(const LineList& lines) {  // the texts, the checked ones marked
  Texts texts;
  for (std::size_t i = 0; i < lines.Size(); ++i)
    texts.push_back((lines.IsChecked(i) ? "+" : "") + string(lines.Text(i)));
  return texts;
}

// What a sort must keep, whatever the oracle says: per stretch between boundaries, the checked lines
// each with the metas right before it, and the other lines, each stretch's units in sorted order.
std::vector<Texts> Stretches(const LineList& lines, bool steps) {
  std::vector<Texts> stretches(1);
  string metas;
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    const string text(lines.Text(i));
    const bool boundary = testing::PlainIsBoundary(text, steps);
    if (!lines.IsChecked(i) && testing::PlainIs(2, text) && !boundary) {
      metas += text + "\n";
      continue;
    }
    stretches.back().push_back((lines.IsChecked(i) ? "" : "unchecked ") + std::exchange(metas, "") + text);
    if (boundary) stretches.emplace_back();
  }
  stretches.back().push_back(metas);
  for (Texts& stretch : stretches) std::sort(stretch.begin(), stretch.end());
  return stretches;
}

// Sorts a copy with the engine: the plain definition agrees on every line, its check mark and the
// count of moved lines; no part or meta crosses a boundary; a second sort finds nothing left to do.
LineList Sorted(const LineList& original, const SortOptions& options) {
  LineList lines = original, plain = original;
  const std::size_t moved = SortCheckedLines(lines, options);
  EXPECT_EQ(moved, testing::PlainSortCheckedLines(plain, options));
  EXPECT_EQ(Shown(lines), Shown(plain));
  EXPECT_EQ(Stretches(lines, options.betweenSteps), Stretches(original, options.betweenSteps));
  EXPECT_EQ(SortCheckedLines(lines, options), 0U) << "sorted a second time";
  return lines;
}

TEST(LineFields, SplitAtRunsOfBlanksAndCoordinateValuesReadThem) {
  for (const auto& [line, fields] :
       {F{"1 16 10 -8 20 1 0 0 0 1 0 0 0 1 s\\973s01.DAT", "10|-8|20|s\\973s01|16"},
        F{"  1\t4   10\t\t-8 20 1 0 0 0 1 0 0 0 1   973p01.dat  ", "10|-8|20|973p01|4"},
        F{"1 16 0 0 0 1 0 0 0 1 0 0 0 1 6339 - minifig 1.ldr", "0|0|0|6339 - minifig 1|16"},
        F{"1 16 0 0 0 1 0 0 0 1 0 0 0 1 \t a  b.ldr \t", "0|0|0|a  b|16"},
        F{"0 // a comment line", "a|comment|line||//"}, F{"1 4 10 -8 20 x.dat", "10|-8|20|x|4"},
        F{"1 4 0 0 0 1 0 0 0 1 0 0 0 1 .dat", "0|0|0||4"}})
    EXPECT_EQ(
        (Texts{string(CoordinateField(line, 0)), string(CoordinateField(line, 1)),
               string(CoordinateField(line, 2)), string(PartNameField(line)), string(ColorField(line))}),
        Split(fields))
        << line;
  std::mt19937 random(11);
  for (int trial = 0; trial < 20000; ++trial) {
    string line(random() % 24, ' ');  // few characters, so that every corner of the counting is hit
    for (char& c : line) c = "  1-.e5\tx"[random() % 9];
    for (int axis = 0; axis < 3; ++axis)
      ASSERT_EQ(std::pair(NumericValue(CoordinateField(line, axis)), testing::PlainValue(line, axis)),
                std::pair(CoordinateValues(line)[axis], CoordinateValues(line)[axis]))
          << line;
    ASSERT_EQ(NumericValue(PartNameField(line)), testing::PlainValue(line, 3)) << line;
  }
}

TEST(NumericValue, ReadsTheNumberTheTextBeginsWithAndSortKeyFromValueRoundsIt) {
  for (const auto& [text, value] :
       {V{" -20", -20}, V{"973p01", 973}, V{"4-4edge", 4}, V{"", 0}, V{"+5", 5}, V{"5.", 5}, V{"1..5", 1},
        V{"--5", 0}, V{"-", 0}, V{"-0", -0.0}, V{"0x2FF0000", 0},
        // Exponents: "E" or "D" and at least one digit; beyond a double's range infinity or zero.
        V{"1.5D2", 150}, V{"2d-1", 0.2}, V{"1e", 1}, V{"1E-x", 1}, V{"1.5e3.5", 1500}, V{"1e999", HUGE_VAL},
        V{"-1e999", -HUGE_VAL}, V{"1e99999999999999999999", HUGE_VAL}, V{"0.001e311", 1e308},
        V{"1e-999", 0.0}, V{"-1e-999", -0.0}, V{"0e999", 0.0}, V{"1000e-326", 1e-323},
        // "&H" and "&O": the digits as one unsigned integer, rounded once.
        V{"&h1f", 31}, V{"&o17", 15}, V{"&H", 0}, V{"&O8", 0}, V{"&H1G", 1}, V{"&X1", 0}, V{"-&H1", 0},
        V{"&HFFFFFFFFFFFFFFFFFFFF", 0x1p80}, V{"&O1777777777777777777777", 0x1p64},

        // Space, tab and line feed are removed anywhere, nothing else; only ASCII digits are digits.
        V{"1 2 3", 123}, V{"\t-\n1\t.\n5", -1.5}, V{"1 e 2", 100}, V{"& H 1F", 31}, V{"1\r2", 1},
        V{"1\302\2402", 1}, V{"\xD9\xA1", 0}, V{string("1\0002", 3), 1},
        V{"&H" + string(300, 'F'), HUGE_VAL}}) {
    EXPECT_EQ(NumericValue(text), value) << '"' << text << '"';
    EXPECT_EQ(std::signbit(NumericValue(text)), std::signbit(value)) << '"' << text << '"';
  }
  // Decimal text rounds as std::from_chars does, on both sides of every shortcut.
  std::mt19937_64 random(5);
  for (int trial = 0; trial < 100000; ++trial) {
    string text = random() % 2 ? "-" : "";
    const std::size_t digits = 1 + random() % 25, point = random() % (digits + 1);
    for (std::size_t i = 0; i < digits; ++i)
      text.append(i == point ? "." : "").push_back('0' + random() % 10);
    if (random() % 2) text.append("e").append(std::to_string(static_cast<int>(random() % 80) - 40));
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(NumericValue(text), expected) << text;
  }
  constexpr double kHalfway = 0x1.ffffffp127;  // from here on rounding to nearest leaves the float range
  for (const auto& [value, key] :
       {K{-8, -8}, K{FLT_MAX, FLT_MAX}, K{std::nextafter(kHalfway, 0.0), FLT_MAX}, K{kHalfway, HUGE_VALF},
        K{-kHalfway, -HUGE_VALF}, K{1e300, HUGE_VALF}, K{HUGE_VAL, HUGE_VALF}, K{1e-300, 0}})
    EXPECT_EQ(SortKeyFromValue(value), key) << value;
}

TEST(SectionBoundaries, StepsBracketsModelsAndAttachedMetas) {
  const std::array<string, 4> roles{
      "0 STE\xD0|0 \xD3TEP|0 STEP\xA0|0 STEPS|00 STEP x|1 STEP x|0 FILEX|0FILE x|0 // FILE x|0 // END|"
      "0 !LPUB PLI CONSTRAIN LOCAL COLS 1|0 ROTATION CENTER 0 0 0 1|0 !LPUB BEGIN x|0 MLCAD SKIP|"
      "0 BFC CERTIFY CCW|0 MLCAD HIDE|0 // BFC INVERTNEXT|1 BFC INVERTNEXT|",
      "0 STEP|0 step|0 // next step|STEP|0 STEP |0\tSTEP| 0  Step\t|0 ROTSTEP 0 90 0 ABS|0 ROTSTEP END|0 "
      "rotstep",
      "0 FILE main.ldr|0 NOFILE|0 !DATA logo.png| \t0\t file x|0 !LPUB PLI BEGIN IGN|0 !LPUB PART END|"
      "0 LPUB PLI END|0 !LEOCAD GROUP BEGIN Minifig #1|0 !leocad group end|0 !LPUB MULTI_STEP DIVIDER|"
      "0 MLCAD SKIP_BEGIN|0\tMLCAD  skip_end|0 BUFEXCHG A STORE",
      "0 BFC INVERTNEXT| 0\tbfc  invertnext|0 MLCAD BTG wheels|0 !LEOCAD PIECE HIDDEN"};
  for (int role = 0; role < 4; ++role)  // none, step, fence, attached meta; a step closes between steps
    for (const string& line : Split(roles[role])) {
      EXPECT_EQ(ClosesSection(line, true), role == 1 || role == 2) << line;
      EXPECT_EQ(ClosesSection(line, false), role == 2) << line;
      EXPECT_EQ(IsAttachedMetaLine(line), role == 3) << line;
    }
}

// Per options, models each followed by its order: the index of the line at each place. The exchanges
// of the selection sort decide where ties end: 5 5 1, 1 5 5 and 3 1 2. A STEP line closes a section of
// a single line too, so that line stays in its step. Aligned columns and blanks before the line type
// read the same as single spaces. Attached metas travel with their part line, by place, not text; other
// lines keep their order among the places, and a boundary stays, meta or not. A part line ending in
// ROTSTEP is a step. Coordinates: largest y, then largest
// z, then smallest x first; a run is lines of equal values, anything but a permutation of 0, 1, 2 is y, z, x.
// Bracket metas close a section with or without steps; a step only between steps.
TEST(SortCheckedLines, SortsEachSectionInItsOwnPositions) {
  using Cases = std::pair<SortOptions, Texts>;
  for (const auto& [options, cases] :
       {Cases{{.sortKey = SortKey::kColor},
              {"@5a|@5b|@1>210", "@2|0 STEP|@1>012", "@3|0 // note|@0skip|@2||@1>512340",
               "@2|0 ROTSTEP 0 90 0 ABS|@1|@0>0132",
               "1\t15\t0 0 0 1 0 0 0 1 0 0 0 1 3001.dat|   1   4   0 0 0 1 0 0 0 1 0 0 0 1 x.dat>10",
               "0 BFC INVERTNEXT|@5|0 MLCAD BTG a|@5|@1>42301", "@3|0 MLCAD BTG xSTEP|@2|@1>0132",
               "0 BFC INVERTNEXT|@0skip|@3|0 !LEOCAD PIECE HIDDEN|@1>01342",
               "0 STEP|@2|@1|0 STEP|0 STEP|@4|@3>0213465", "@3|1 4 0 0 0 1 0 0 0 1 0 0 0 1 ROTSTEP|@1>012"}},
        Cases{{}, {"=5 0 1|=1 -8 0|=0 0 1|=9 0 2|=3 -8 0>32014"}},
        Cases{{.sortKey = SortKey::kPartNumber}, {"@4973|@4973p01|@4456>210"}},
        Cases{{.sortKey = SortKey::kColor, .betweenSteps = false},
              {"@2|0 STEP|@1>210", "@3|0 !LPUB PLI BEGIN IGN|@2|@1|0 !LPUB PLI END|@0>013245",
               "@5|@4|0 FILE a|@3|0 !DATA b|@2|0 NOFILE|@1>10234567"}},
        Cases{{.keyOrder = {0, 1, 3}}, {"=0 0 0|=1 1 0>10"}},
        Cases{{.keyOrder = {-1, 0, 0}}, {"=0 0 0|=1 1 0>10"}}})
    for (const string& c : cases) {
      const LineList lines = Checked(Split(c.substr(0, c.find('>'))));
      Texts expected;
      for (const char i : c.substr(c.find('>') + 1)) expected.emplace_back(lines.Text(i - '0'));
      EXPECT_EQ(Sorted(lines, options).Texts(), expected) << c;
    }
}

TEST(SortCheckedLines, SortsRandomModelsLikeThePlainDefinition) {
  const Texts values{"0", "10", "-10", "10.0", "1e1", "20", "1.00000001", "1.00000002", "-0"};
  const Texts others = Split(
      "0 STEP|0 step|0 STEP |0\tROTSTEP END|0 FILE x|0 NOFILE|0 !DATA x|0 !LPUB PLI BEGIN IGN|"
      "0 !LEOCAD GROUP END|0 MLCAD SKIP_BEGIN|0 BUFEXCHG A|0 BFC INVERTNEXT|0 MLCAD BTG a| 0 !LEOCAD PIECE x|"
      "0 BFC INVERTNEXT||1|1  4 0|0 // x|0 MLCAD BTG xSTEP");
  const Texts blanks{" ", " ", " ", "  ", "\t"};
  std::mt19937 random(9);
  const auto pick = [&](const Texts& texts) { return texts[random() % texts.size()]; };
  const auto axis = [&] { return static_cast<int>(random() % 3); };
  const auto flag = [&] { return random() % 2 == 1; };
  for (int trial = 0; trial < 3000 && !HasFailure(); ++trial) {
    SCOPED_TRACE(::testing::Message() << "trial " << trial);
    Texts texts(random() % 120);
    for (string& text : texts) {
      const string xyz = pick(values) + pick(blanks) + pick(values) + pick(blanks) + pick(values);
      const string part = random() % 8 == 0 ? "skip" : std::to_string(random() % 3) + "p";
      text = random() % 4 == 0 ? pick(others) : P(xyz, part, static_cast<int>(random() % 4));
      if (random() % 10 == 0) text.insert(0, pick(blanks));
    }
    Sorted(Checked(texts), {static_cast<SortKey>(random() % 3), KeyOrder{axis(), axis(), axis()}, flag(),
                            flag(), flag(), flag(), flag(), flag()});
  }
}

// A model large enough to be cut into parts sorts exactly as in one run, whether a part begins after a
// model boundary or after a checked line that closes its own step (as those at the shares of two,
// three and four parts do, which sort to the front of their step). Lines said to be final stay so.
TEST(SortCheckedLines, ALargeModelSortedInPartsGivesWhatOneRunGives) {
  const Texts others = Split("1 4 0 9 0 1 0 0 0 1 0 0 0 1 xSTEP|0 BFC INVERTNEXT|0 FILE b.ldr");
  std::mt19937 random(5);
  Texts texts(600000);
  for (string& text : texts)
    text = random() % 8 ? P(std::to_string(random() % 9) + " 8 " + std::to_string(random() % 9))
                        : others[random() % 3];
  for (const std::size_t share : {4, 3, 2})
    texts[texts.size() / share] = texts[texts.size() * (share - 1) / share] = others[0];
  for (const bool steps : {true, false}) {
    const LineList before = Checked(texts);
    LineList parts = before, whole = before;
    const SortOptions options{.betweenSteps = steps};
    // Each line as it stood when the sort said it was final: it must not change after that.
    std::vector<const char*> final;
    const auto progress = [&](std::size_t count) {
      EXPECT_GT(count, final.size());
      // A count falls after a line that closed a section before the sort, where no unit can cross.
      EXPECT_TRUE(count == before.Size() || ClosesSection(before.Text(count - 1), steps)) << count;
      while (final.size() < count) final.push_back(parts.Text(final.size()).data());
    };
    EXPECT_EQ(SortCheckedLines(parts, options, progress), SortRun(options).SortList(whole));
    EXPECT_TRUE(Shown(parts) == Shown(whole) && parts.CheckedCount() == whole.CheckedCount());
    ASSERT_EQ(final.size(), parts.Size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < final.size(); ++i) changed += final[i] != parts.Text(i).data();
    EXPECT_EQ(changed, 0U);
  }
}

TEST(SortCheckedLines, RealModelsKeepEveryLineInItsPlaceStepAndModel) {
  for (const string& name :
       Split("bricksmith_bum_aligned_columns.ldr|car_beta027_lf.DAT|ldrawlib_car.ldr|"
             "ldrawlib_car_2008_leadspace.dat|ldview_colors_aligned_columns.ldr|leocad_tutorial1_lf.ldr|"
             "omr_10174_atst_ucs_packed_mixedeol.mpd|omr_4489_atat_mini_noeol.mpd|omr_7140_xwing_noeol.mpd|"
             "omr_8002_destroyer_droid.mpd|ldview_8464_frontloader_lf.mpd|corvette_c7r_lf_rotstep.mpd|"
             "ldview_m6459_fueltruck_lf.ldr")) {
    const document::ReadResult file = document::ReadModelFile(kelvane::testing::TestDataPath(name));
    ASSERT_EQ(file.status, document::ReadResult::Status::kLoaded) << name << ": " << file.reason;
    const LineList original = Checked(file.lines.Texts());  // as "Select All" checks them
    SCOPED_TRACE(name);
    for (const SortKey key : {SortKey::kCoordinates, SortKey::kPartNumber, SortKey::kColor})
      Sorted(original, {.sortKey = key}), Sorted(original, {.sortKey = key, .betweenSteps = false});
  }
}

}  // namespace
}  // namespace kelvane::sorting
