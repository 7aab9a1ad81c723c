#include "sorting/sort_command.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

#include "sorting/section_boundaries.h"
#include "sorting/sort_run.h"

namespace kelvane::sorting {
namespace {

// Below this many lines a part, a thread costs more than it saves.
constexpr std::size_t kLinesPerPart = std::size_t{1} << 17;
// Beyond this, more threads mostly wait on memory.
constexpr unsigned kMostParts = 4;

// Where each part of the list begins: the first at 0, every other just after a line that closes a
// section, near an equal share of the lines. No section spans two parts, so the parts can be sorted
// each on its own.
std::vector<std::size_t> PartStarts(const document::LineList& lines, bool betweenSteps) {
  const unsigned threads = std::max(1U, std::thread::hardware_concurrency());
  const std::size_t parts = std::min<std::size_t>({threads, kMostParts, lines.Size() / kLinesPerPart + 1});
  std::vector<std::size_t> starts{0};
  for (std::size_t k = 1; k < parts; ++k) {
    std::size_t i = std::max(k * lines.Size() / parts, starts.back());
    while (i < lines.Size() && !ClosesSection(lines.Text(i), betweenSteps)) ++i;
    if (i + 1 >= lines.Size()) break;
    starts.push_back(i + 1);
  }
  return starts;
}

}  // namespace

std::size_t SortCheckedLines(document::LineList& lines, const SortOptions& options) {
  if (lines.CheckedCount() < 2) return 0;
  const std::vector<std::size_t> starts = PartStarts(lines, options.betweenSteps);
  std::vector<std::size_t> moved(starts.size(), 0);
  std::vector<std::exception_ptr> failures(starts.size());
  const auto sortPart = [&](std::size_t part) {
    try {
      const std::size_t end = part + 1 < starts.size() ? starts[part + 1] : lines.Size();
      SortRun run(options);
      moved[part] = run.SortList(lines, starts[part], end);
    } catch (...) {
      failures[part] = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  for (std::size_t part = 1; part < starts.size(); ++part) {
    try {
      threads.emplace_back(sortPart, part);
    } catch (const std::system_error&) {
      sortPart(part);  // no thread to be had: this part is sorted here
    }
  }
  sortPart(0);
  for (std::thread& thread : threads) thread.join();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  std::size_t total = 0;
  for (const std::size_t count : moved) total += count;
  return total;
}

}  // namespace kelvane::sorting
