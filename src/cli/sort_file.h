#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "document/line_list.h"
#include "sorting/sort_command.h"
#include "sorting/sort_options.h"

namespace kelvane::cli {

// The engine as the tool calls it (SortCheckedLines): sorts the checked lines among their own
// positions, telling its progress, and returns how many of them moved.
using SortFunction = std::function<std::size_t(document::LineList&, const sorting::SortOptions&,
                                               const sorting::SortProgress&)>;

// How messages name standard input, as they name standard output "standard output".
inline constexpr std::string_view kStandardInputMessageName = "standard input";

struct FileOutcome {
  bool done = false;
  std::string message;    // when not done: "NAME: reason", NAME being the file that failed
  std::size_t moved = 0;  // when done: how many part lines took another one's place
};

// Reads one model file ("-": standard input), checks its part lines (all, or those of --lines),
// sorts them and writes the result with settings.lineEnd: over the file itself (atomically, with a
// ".bak" copy of the old file when settings.backup is on), to settings.output, or to standard output
// for "-". A file in which no line moved is not written over at all, so that its bytes, line ends and
// modification time stay as they were; standard input and an output elsewhere get the result
// regardless. With settings.check nothing is written. A file that another program changed or replaced
// after it was read is left as that program made it and fails, as does one whose lines do not fit
// into memory. `model` is where the file's lines are held; once they are written to a file, they are
// let go while the disk finishes it, and `model` is left empty.
FileOutcome SortFile(const std::string& file, const RunSettings& settings, const SortFunction& sort,
                     document::LineList& model);

}  // namespace kelvane::cli
