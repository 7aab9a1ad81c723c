#include "cli/heap_preparation.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace kelvane::cli {
namespace {

// Below this the faults cost a few milliseconds at most.
constexpr std::uintmax_t kSmallModel = 8u << 20;
// The lines (a 64-byte block for a typical 45-byte line), the engine's working copy of the checked
// lines and the list of lines itself come to about three times the file's size.
constexpr std::uintmax_t kHeapPerFileByte = 3;
constexpr std::uintmax_t kHugePage = 2u << 20;

std::uintmax_t LargestFileSize(const std::vector<std::string>& files) {
  std::uintmax_t largest = 0;
  for (const std::string& file : files) {
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      largest = std::max(largest, static_cast<std::uintmax_t>(info.st_size));
    }
  }
  return largest;
}

}  // namespace

void PrepareHeapForModels(const std::vector<std::string>& files) {
#if defined(__linux__) && defined(__GLIBC__)
  const std::uintmax_t fileSize = LargestFileSize(files);
  if (fileSize < kSmallModel) return;
  // Capped so that the arithmetic below stays within int, which mallopt takes.
  const std::uintmax_t wanted = std::min<std::uintmax_t>(fileSize * kHeapPerFileByte, 1u << 30);
  const int heapBytes = static_cast<int>(wanted);

  // Blocks up to the largest threshold glibc allows come from the heap (the list of a million lines is
  // such a block), the heap grows by the whole amount at the next allocation, and freeing does not
  // give it back between files.
  ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
  ::mallopt(M_TRIM_THRESHOLD, heapBytes + heapBytes / 2);
  ::mallopt(M_TOP_PAD, heapBytes);
  const auto before = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  // Larger than what is left at the top of a young heap, so that it must grow; volatile, so that the
  // pair is not optimised away.
  void* volatile probe = ::malloc(1 << 20);
  ::free(probe);
  const auto after = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  ::mallopt(M_TOP_PAD, 128 << 10);  // glibc's default for later growth

  const std::uintmax_t start = (before + kHugePage - 1) & ~(kHugePage - 1);
  if (after > start) ::madvise(reinterpret_cast<void*>(start), after - start, MADV_HUGEPAGE);
#else
  static_cast<void>(files);
#endif
}

}  // namespace kelvane::cli
