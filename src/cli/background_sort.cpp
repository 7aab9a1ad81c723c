#include "cli/background_sort.h"

#include <system_error>

namespace kelvane::cli {

BackgroundSort::BackgroundSort(const SortFunction& sort, document::LineList& lines,
                               const sorting::SortOptions& options, bool keepUnchanged)
    : lines_(lines), keepUnchanged_(keepUnchanged) {
  try {
    thread_ = std::thread([this, &sort, options] { Run(sort, options); });
  } catch (const std::system_error&) {
    Run(sort, options);  // no thread to be had: the sort is done first, the save after it
  }
}

BackgroundSort::~BackgroundSort() {
  if (thread_.joinable()) thread_.join();
}

void BackgroundSort::Run(const SortFunction& sort, const sorting::SortOptions& options) {
  std::size_t moved = 0;
  std::exception_ptr failure;
  try {
    moved = sort(lines_, options, [this](std::size_t finalLines) {
      const std::lock_guard lock(mutex_);
      finalLines_ = finalLines;
      changed_.notify_all();
    });
  } catch (...) {
    failure = std::current_exception();
  }
  const std::lock_guard lock(mutex_);
  over_ = true;
  moved_ = moved;
  failure_ = failure;
  changed_.notify_all();
}

std::optional<std::size_t> BackgroundSort::WaitForFinalLines(std::size_t wanted) {
  std::unique_lock lock(mutex_);
  // All lines are final only once the sort is over: only then is it known whether anything moved.
  changed_.wait(lock, [&] { return over_ || (wanted < lines_.Size() && finalLines_ >= wanted); });
  if (!over_) return finalLines_;
  if (failure_ || (keepUnchanged_ && moved_ == 0)) return std::nullopt;
  return lines_.Size();
}

std::size_t BackgroundSort::Finish() {
  if (thread_.joinable()) thread_.join();
  if (failure_) std::rethrow_exception(failure_);
  return moved_;
}

}  // namespace kelvane::cli
