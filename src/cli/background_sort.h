#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "cli/sort_file.h"
#include "document/line_list.h"
#include "sorting/sort_options.h"

namespace kelvane::cli {

// A sort on a thread of its own, while the caller saves the lines as they become final: the disk
// writes the first steps of a large model while the last ones are still being sorted.
class BackgroundSort {
 public:
  // Starts sorting `lines`. With `keepUnchanged`, a sort that moves no line calls the save off.
  BackgroundSort(const SortFunction& sort, document::LineList& lines, const sorting::SortOptions& options,
                 bool keepUnchanged);
  ~BackgroundSort();
  BackgroundSort(const BackgroundSort&) = delete;
  BackgroundSort& operator=(const BackgroundSort&) = delete;

  // For the save: waits until `wanted` lines from the start are final, and until the sort is over when
  // all are asked for; returns how many are final, or nothing when the sort failed or the save is
  // called off.
  std::optional<std::size_t> WaitForFinalLines(std::size_t wanted);

  // Waits for the end of the sort; returns how many lines it moved, or passes its failure on.
  std::size_t Finish();

 private:
  void Run(const SortFunction& sort, const sorting::SortOptions& options);

  document::LineList& lines_;
  const bool keepUnchanged_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t finalLines_ = 0;  // guarded by mutex_, as are the three below
  bool over_ = false;
  std::size_t moved_ = 0;
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace kelvane::cli
