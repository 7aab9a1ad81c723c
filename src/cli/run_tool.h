#pragma once

#include <ostream>
#include <string_view>
#include <vector>

#include "cli/sort_file.h"

namespace kelvane::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFileFailed = 1;
inline constexpr int kExitUsage = 2;

// The whole of kelvane-sort: reads the arguments (without the program's name), sorts every FILE
// with `sort` and returns the exit status. Help, version and the names that --check finds go to
// `out`, messages and the lines of --verbose to `err`. A usage error stops everything before any file
// is touched; a file that fails, or whose name is not a model's, is reported and the next one is
// done all the same. Each file is loaded into `model`, which holds the last one afterwards.
int RunTool(const std::vector<std::string_view>& arguments, const SortFunction& sort, std::ostream& out,
            std::ostream& err, document::LineList& model);

}  // namespace kelvane::cli
