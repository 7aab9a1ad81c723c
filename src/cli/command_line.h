#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/line_ranges.h"
#include "document/model_file_writer.h"
#include "sorting/sort_options.h"

namespace kelvane::cli {

// What kelvane-sort was asked to do on its files.
struct RunSettings {
  sorting::SortOptions sort;                             // the window's first-run defaults unless changed
  std::optional<std::vector<LineRange>> lines;           // --lines; none = every part line
  bool backup = true;                                    // --backup / --no-backup
  std::optional<std::string> output;                     // -o / --output; "-" is standard output
  bool check = false;                                    // --check: name the files that would change
  document::LineEnd lineEnd = document::LineEnd::kCrLf;  // --eol
  bool anyName = false;                                  // --any-name: also names without a model's ending
  bool verbose = false;                                  // -v / --verbose
  std::vector<std::string> files;                        // "-" is standard input
};

struct CommandLine {
  enum class Action { kRun, kShowHelp, kShowVersion, kUsageError };
  Action action = Action::kRun;
  RunSettings settings;
  std::string error;  // for kUsageError: one line, without the program's name
};

// The name of standard output as an --output value.
inline constexpr std::string_view kStandardOutputName = "-";
// The name of standard input as a FILE; a file of that name is reached as "./-".
inline constexpr std::string_view kStandardInputName = "-";

// Reads the arguments that follow the program's name. Options and FILEs may come in any order;
// "--" ends the options, so that names beginning with "-" can be given after it, and a lone "-" is
// standard input, which may be given once. Long options take their value as "--by part" or
// "--by=part"; -o takes "-o PATH" or "-oPATH". Values are read without regard to ASCII case. A later
// option overrides an earlier one, except that several --lines add up and a second --output is an
// error, as is --output with --check, which writes nothing. --help and --version end the reading
// where they stand, as usual for command-line tools.
CommandLine ParseCommandLine(const std::vector<std::string_view>& arguments);

}  // namespace kelvane::cli
