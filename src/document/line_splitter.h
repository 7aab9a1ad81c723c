#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane::document {

// Cuts the bytes of a model file into lines. CR LF, a lone CR and a lone LF each end a line; the
// terminator is not kept; a terminator at the very end adds no empty line after it. Every other byte
// (tabs, NUL, bytes that are not UTF-8) stays in its line.
//
// Feed() may be called with any slicing of the file (a CR at the end of one block and an LF at the
// start of the next still make one terminator); Finish() hands over the lines.
class LineSplitter {
 public:
  void Feed(std::string_view bytes);
  std::vector<std::string> Finish();

 private:
  std::vector<std::string> lines_;
  std::string current_;
  bool lastWasCr_ = false;
};

}  // namespace kelvane::document
