#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "document/line_list.h"
#include "sorting/keyed_selection_sort.h"
#include "sorting/sort_options.h"

namespace kelvane::sorting {

// Key codes of the key sorts.
inline constexpr int kKeyX = 0;
inline constexpr int kKeyY = 1;
inline constexpr int kKeyZ = 2;
inline constexpr int kKeyPartNumber = 3;
inline constexpr int kKeyColor = 4;

// Directions of the key sorts: 1 puts the smallest key first; any other value the largest.
inline constexpr int kAscending = 1;
inline constexpr int kDescending = 0;

// The value of one key of a line (key codes above), as the run test compares it; a code outside 0..4
// gives 0.
double KeyValue(std::string_view line, int key);

// One sort of the checked lines of a list: the options it runs with and its work storage.
//
// SortList walks the list and cuts the checked lines into sections. The spans of each section's lines
// are gathered into SectionLines, ordered by SortSection and put back into the same checked entries;
// the lines' bytes never move. SortSection orders SectionLines with the key sorts SortByKey,
// SortBySecondKey and SortByThirdKey; each of those fills SortKeys and hands it to SortKeyedLines.
// Working a section at a time keeps the storage as small as the largest section.
//
// A checked line may carry attached metas (see IsAttachedMetaLine) directly before it. A checked line
// and its metas form a unit: when the line takes another line's place, its metas come along and stand
// directly before it, and every other line keeps its order relative to the units' places.
class SortRun {
 public:
  explicit SortRun(const SortOptions& options);

  // Sorts the checked lines of `lines` among their own positions, section by section, and returns how
  // many of them took another checked line's place (0: the list is exactly as it was). Check marks
  // travel with their lines; a section of one line is left as it is. Should anything fail (memory),
  // the sections before the failing one stay sorted and every other line stays where it was, so no
  // line is lost or displaced. With `begin` and `end`, only the entries in [begin, end) are looked at
  // or changed, and the check-mark count is left alone: the range must begin the list or follow a
  // line that closes a section, so that runs over ranges that do not overlap may go on at once.
  std::size_t SortList(document::LineList& lines, std::size_t begin = 0, std::size_t end = SIZE_MAX);

 private:
  // Orders SectionLines in place as the options say.
  void SortSection();
  // The coordinate sort in one step, for a section where it gives the same order as the three key
  // sorts: no two lines tie on all three keys, and lines tied on a key share its value, so the order
  // ties take between the key sorts cannot show. Returns false, with nothing changed, for any other
  // section.
  bool SortByAllAxesAtOnce();
  // Orders all of SectionLines by one key code; a code outside 0..4 leaves it as it is.
  void SortByKey(int key, int direction);
  // Orders by `axis` each run of adjacent lines of SectionLines that share their `firstAxis` value.
  void SortBySecondKey(int firstAxis, int axis, int direction);
  // Orders by `axis` each run of adjacent lines that share both their `firstAxis` and `secondAxis`
  // values.
  void SortByThirdKey(int firstAxis, int secondAxis, int axis, int direction);
  // Sorts all of SortKeys, moving SectionLines[start + k] along with SortKeys[k].
  void SortKeyedLines(int direction, std::size_t start);
  // Sorts by `axis` each stretch of SectionLines that shares one run number, if longer than one line.
  void SortRuns(int axis, int direction);
  int AxisDirection(int axis) const;
  // The value of one key of SectionLines[index]: read from the line, or, while a coordinate sort of
  // SortSection runs, taken from the coordinates it read once for the section.
  double LineValue(std::size_t index, int key) const;

  // Takes the checked line at list index `index` into the open section, with its attached metas.
  void TakeLine(std::size_t index);
  // Sorts the open section if it holds two lines or more and puts its lines back.
  void CloseSection();
  // Puts each line of SectionLines into the checked entry it was sorted to.
  void ReturnSectionLines();
  // Writes the sorted section back where units of different sizes changed places: the stretch from
  // the first unit's first meta to the section's last line is laid out anew.
  void RebuildSection();
  void ForgetSection();

  SortOptions options_;
  KeyedSelectionSort sorter_;

  document::LineList* lines_ = nullptr;          // the list being sorted
  std::size_t begin_ = 0;                        // the first entry of the range being sorted
  std::vector<document::LineSpan> SectionLines;  // the checked lines of the open section, in list order
  std::vector<float> SortKeys;                   // one key per line of the range being sorted
  // Per entry of SectionLines: the number of the section's line it holds, counted in list order;
  // exchanged along with the lines, so after the sort it tells where each line came from.
  std::vector<std::uint32_t> origins_;
  std::vector<std::size_t> positions_;   // list index of each checked line of the section, in order
  std::vector<std::size_t> unitStarts_;  // list index of its first attached meta (or of the line)
  // The stretch RebuildSection lays out anew, made in full before it is written back.
  std::vector<document::LineSpan> rebuiltSpans_;
  std::vector<std::uint8_t> rebuiltChecks_;
  bool sectionHasMetas_ = false;
  std::size_t movedLines_ = 0;

  std::vector<std::uint32_t> runNumbers_;  // per line of SectionLines, counting runs from 0
  // The X, Y and Z values of SectionLines, read once per section and exchanged along with the lines;
  // only used while coordinatesRead_ is set.
  std::vector<std::array<double, 3>> sectionCoordinates_;
  bool coordinatesRead_ = false;
  // Per line of a section sorted at once: its first two keys' ranks, then its third key's rank and
  // its index in SectionLines, so that the pairs sort into the order of the keys.
  using RankedLine = std::pair<std::uint64_t, std::uint64_t>;
  std::vector<RankedLine> rankedLines_;
  std::vector<document::LineSpan> reorderedLines_;
  std::vector<std::uint32_t> reorderedOrigins_;
};

}  // namespace kelvane::sorting
