#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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

// The key order to sort coordinates by: `keyOrder` itself when it is a permutation of 0, 1 and 2,
// otherwise the first-run default Y, Z, X. Only a hand-edited setting can bring another order, and
// skipping or repeating an axis would give a half-sorted result.
std::array<int, 3> EffectiveKeyOrder(const std::array<int, 3>& keyOrder);

// The value of one key of a line (key codes above), as the run test compares it; a code outside 0..4
// gives 0.
double KeyValue(std::string_view line, int key);

// One sort of the checked lines of a list: the options it runs with and its work storage.
//
// SortList walks the list and cuts the checked lines into sections. Each section's texts are taken
// out of the list into SectionLines (moved, never copied), ordered by SortSection and put back into
// the same checked entries. SortSection orders SectionLines with the key sorts SortByKey,
// SortBySecondKey and SortByThirdKey; each of those fills SortKeys and hands it to SortKeyedLines.
// Working a section at a time keeps the storage as small as the largest section, which is what lets
// a model of a million lines sort in a fraction of a second. The storage is public so that every
// stage can be driven and inspected on its own.
class SortRun {
 public:
  explicit SortRun(const SortOptions& options);

  // Sorts the checked lines of `lines` among their own positions, section by section; unchecked lines
  // and check marks stay where they are. A section ends after a model boundary line ("0 FILE", "0
  // NOFILE", "0 !DATA") and, with betweenSteps, after a STEP line, whether the line is checked or not;
  // a section of one line is left as it is. Should anything fail (memory), every text is back in the
  // list before the exception leaves: a section may be half sorted, but no line is lost.
  void SortList(document::LineList& lines);

  // Orders SectionLines in place as the options say.
  void SortSection();

  // Orders all of SectionLines by one key code; a code outside 0..4 leaves it as it is.
  void SortByKey(int key, int direction);
  // Orders by `axis` each run of adjacent lines of SectionLines that share their `firstAxis` value.
  void SortBySecondKey(int firstAxis, int axis, int direction);
  // Orders by `axis` each run of adjacent lines that share both their `firstAxis` and `secondAxis`
  // values.
  void SortByThirdKey(int firstAxis, int secondAxis, int axis, int direction);
  // Sorts all of SortKeys, moving SectionLines[start + k] along with SortKeys[k].
  void SortKeyedLines(int direction, std::size_t start);

  std::size_t SectionStart = 0;           // list index of the first line of the open section
  std::vector<std::string> SectionLines;  // the checked lines of the open section, in list order
  std::vector<float> SortKeys;            // one key per line of the range being sorted

 private:
  // Sorts the open section if it holds two lines or more and puts its lines back.
  void CloseSection(document::LineList& lines);
  // Puts SectionLines back into the checked entries of the list from SectionStart on.
  void ReturnSectionLines(document::LineList& lines);
  // Sorts by `axis` each stretch of SectionLines that shares one run number, if longer than one line.
  void SortRuns(int axis, int direction);
  int AxisDirection(int axis) const;
  // The value of one key of SectionLines[index]: read from the line, or, while a coordinate sort of
  // SortSection runs, taken from the coordinates it read once for the section.
  double LineValue(std::size_t index, int key) const;

  SortOptions options_;
  KeyedSelectionSort sorter_;
  std::vector<std::uint32_t> runNumbers_;  // per line of SectionLines, counting runs from 0
  // The X, Y and Z values of SectionLines, read once per section and exchanged along with the lines;
  // only used while coordinatesRead_ is set.
  std::vector<std::array<double, 3>> sectionCoordinates_;
  bool coordinatesRead_ = false;
};

}  // namespace kelvane::sorting
