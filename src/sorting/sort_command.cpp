#include "sorting/sort_command.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "sorting/section_boundaries.h"
#include "sorting/sort_run.h"

namespace kelvane::sorting {
namespace {

// Below this many lines a part, a thread costs more than it saves. Parts are kept about this small
// even on few cores, so that the first of them are done, and can be written out, early.
constexpr std::size_t kLinesPerPart = std::size_t{1} << 16;
// Beyond this, more threads mostly wait on memory.
constexpr unsigned kMostThreads = 4;

// Where each part of the list begins: the first at 0, every other just after a line that closes a
// section, near an equal share of the lines. No section spans two parts, so the parts can be sorted
// each on its own.
std::vector<std::size_t> PartStarts(const document::LineList& lines, bool betweenSteps) {
  const std::size_t parts = lines.Size() / kLinesPerPart + 1;
  std::vector<std::size_t> starts{0};
  for (std::size_t k = 1; k < parts; ++k) {
    std::size_t i = std::max(k * lines.Size() / parts, starts.back());
    while (i < lines.Size() && !ClosesSection(lines.Text(i), betweenSteps)) ++i;
    if (i + 1 >= lines.Size()) break;
    starts.push_back(i + 1);
  }
  return starts;
}

// The parts of one sort, taken in order by the threads, and what they came to.
class PartSorts {
 public:
  PartSorts(document::LineList& lines, const SortOptions& options, const SortProgress& progress)
      : lines_(lines),
        options_(options),
        progress_(progress),
        starts_(PartStarts(lines, options.betweenSteps)),
        moved_(starts_.size(), 0),
        done_(starts_.size(), false) {}

  std::size_t PartCount() const { return starts_.size(); }

  // Sorts the next part not yet taken, then the next, until none is left or one has failed.
  void Work() {
    try {
      SortRun run(options_);
      for (std::size_t part; !failed_ && (part = next_++) < starts_.size();) {
        const std::size_t end = part + 1 < starts_.size() ? starts_[part + 1] : lines_.Size();
        moved_[part] = run.SortList(lines_, starts_[part], end);
        Done(part);
      }
    } catch (...) {
      const std::lock_guard lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
      failed_ = true;
    }
  }

  // The sum of the parts' moved lines, or the first failure; once every thread is done.
  std::size_t Result() const {
    if (failure_) std::rethrow_exception(failure_);
    std::size_t total = 0;
    for (const std::size_t count : moved_) total += count;
    return total;
  }

 private:
  void Done(std::size_t part) {
    if (!progress_) return;
    const std::lock_guard lock(mutex_);
    done_[part] = true;
    const std::size_t before = finishedParts_;
    while (finishedParts_ < starts_.size() && done_[finishedParts_]) ++finishedParts_;
    if (finishedParts_ == before) return;
    progress_(finishedParts_ < starts_.size() ? starts_[finishedParts_] : lines_.Size());
  }

  document::LineList& lines_;
  const SortOptions& options_;
  const SortProgress& progress_;
  const std::vector<std::size_t> starts_;
  std::vector<std::size_t> moved_;
  std::atomic<std::size_t> next_{0};
  std::atomic<bool> failed_{false};
  std::mutex mutex_;
  std::exception_ptr failure_;     // the first failure; guarded by mutex_
  std::vector<bool> done_;         // guarded by mutex_
  std::size_t finishedParts_ = 0;  // parts done from the first on; guarded by mutex_
};

}  // namespace

std::size_t SortCheckedLines(document::LineList& lines, const SortOptions& options,
                             const SortProgress& progress) {
  if (lines.CheckedCount() < 2) {
    if (progress) progress(lines.Size());
    return 0;
  }
  PartSorts parts(lines, options, progress);
  const unsigned cores = std::max(1U, std::thread::hardware_concurrency());
  const std::size_t threadCount = std::min<std::size_t>({cores, kMostThreads, parts.PartCount()});
  std::vector<std::thread> threads;
  for (std::size_t k = 1; k < threadCount; ++k) {
    try {
      threads.emplace_back([&parts] { parts.Work(); });
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the ones there are take all parts
    }
  }
  parts.Work();
  for (std::thread& thread : threads) thread.join();
  return parts.Result();
}

}  // namespace kelvane::sorting
