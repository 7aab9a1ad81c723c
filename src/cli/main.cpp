// kelvane-sort: the batch tool, the window's sort and save without the window.
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/run_tool.h"
#include "sorting/sort_command.h"

int main(int argc, char* argv[]) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  // Lines still held after the last file (a check, or standard output) are left to the end of the
  // process, which gives their memory back in one go. Held by a static, so leak checkers see them as
  // still reachable.
  static auto* const document = new kelvane::document::LineList;
  return kelvane::cli::RunTool(arguments, kelvane::sorting::SortCheckedLines, std::cout, std::cerr,
                               *document);
}
