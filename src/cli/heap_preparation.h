#pragma once

#include <string>
#include <vector>

namespace kelvane::cli {

// Readies the heap for the largest of `files` before it is read. A model is held as one small string
// per line, so a million-line file means a million small allocations spread over some hundred MB;
// touching that memory page by page costs one page fault per 4 KiB, which dominates reading and
// sorting a large file. This grows the heap once to the expected size and asks for transparent huge
// pages on it, which cuts those faults some hundredfold. It does nothing for small files, and
// nothing where the C library or the kernel offer no way to do it (then only speed is lost).
void PrepareHeapForModels(const std::vector<std::string>& files);

}  // namespace kelvane::cli
