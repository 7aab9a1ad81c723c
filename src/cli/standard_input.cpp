#include "cli/standard_input.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "document/line_splitter.h"

namespace kelvane::cli {

document::ReadResult ReadStandardInput() {
  // Block by block, so that a large model never sits in memory twice (raw bytes plus lines).
  document::LineSplitter splitter;
  std::vector<char> block(1 << 20);
  document::ReadResult result;
  for (;;) {
    const ssize_t count = ::read(STDIN_FILENO, block.data(), block.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      result.status = document::ReadResult::Status::kUnreadable;
      result.reason = std::strerror(errno);
      return result;
    }
    if (count == 0) break;
    splitter.Feed(std::string_view(block.data(), static_cast<std::size_t>(count)));
  }
  result.status = document::ReadResult::Status::kLoaded;
  result.lines = splitter.Finish();
  return result;
}

}  // namespace kelvane::cli
