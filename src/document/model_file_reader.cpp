#include "document/model_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "document/line_splitter.h"

namespace kelvane::document {
namespace {

// Read in blocks so that a large file never sits in memory twice (raw bytes plus lines).
constexpr std::size_t kBlockSize = 1 << 20;

bool MeansNoFile(int error) { return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG; }

ReadResult Unreadable(int error) {
  ReadResult result;
  result.status = ReadResult::Status::kUnreadable;
  result.reason = std::strerror(error);
  return result;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

ReadResult ReadModelFile(const std::string& path) {
  if (path.empty()) return {};
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) {
    const int error = errno;
    if (MeansNoFile(error)) return {};
    return Unreadable(error);
  }
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return Unreadable(errno);
  if (S_ISDIR(info.st_mode)) return {};

  LineSplitter splitter;
  std::vector<char> block(kBlockSize);
  for (;;) {
    const ssize_t count = ::read(file.Get(), block.data(), block.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return Unreadable(errno);
    }
    if (count == 0) break;
    splitter.Feed(std::string_view(block.data(), static_cast<std::size_t>(count)));
  }
  ReadResult result;
  result.status = ReadResult::Status::kLoaded;
  result.lines = splitter.Finish();
  return result;
}

}  // namespace kelvane::document
