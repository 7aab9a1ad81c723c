#include "document/line_splitter.h"

#include <cstring>

namespace kelvane::document {

void LineSplitter::Feed(std::string_view bytes) {
  if (bytes.empty()) return;
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  if (lastWasCr_ && *p == '\n') ++p;  // the LF of a CR LF split across two blocks
  lastWasCr_ = false;
  while (p != end) {
    const char* stop = p;
    while (stop != end && *stop != '\r' && *stop != '\n') ++stop;
    current_.append(p, stop);
    if (stop == end) return;
    lines_.push_back(std::move(current_));
    current_.clear();
    p = stop + 1;
    if (*stop == '\r') {
      if (p == end) {
        lastWasCr_ = true;
        return;
      }
      if (*p == '\n') ++p;
    }
  }
}

std::vector<std::string> LineSplitter::Finish() {
  // A last line without a terminator is still a line.
  if (!current_.empty()) lines_.push_back(std::move(current_));
  current_.clear();
  lastWasCr_ = false;
  return std::move(lines_);
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  LineSplitter splitter;
  splitter.Feed(bytes);
  return splitter.Finish();
}

}  // namespace kelvane::document
