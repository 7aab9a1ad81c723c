#include "document/model_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

#include "document/line_splitter.h"

namespace kelvane::document {
namespace {

// Read in blocks so that a large file never sits in memory twice (raw bytes plus lines).
constexpr std::size_t kBlockSize = 1 << 20;

bool MeansNoFile(int error) { return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG; }

ReadResult Unreadable(std::string reason) {
  ReadResult result;
  result.status = ReadResult::Status::kUnreadable;
  result.reason = std::move(reason);
  return result;
}

ReadResult Unreadable(int error) { return Unreadable(std::strerror(error)); }

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

ReadResult ReadToEnd(int fd, const struct stat& info) {
  ReadResult result;
  try {
    LineSplitter splitter;
    ContentHash hash;
    std::vector<char> block(kBlockSize);
    for (;;) {
      const ssize_t count = ::read(fd, block.data(), block.size());
      if (count < 0) {
        if (errno == EINTR) continue;
        return Unreadable(errno);
      }
      if (count == 0) break;
      const std::string_view bytes(block.data(), static_cast<std::size_t>(count));
      hash.Feed(bytes);
      splitter.Feed(bytes);
    }
    result.lines = splitter.Finish();
    result.stamp = StampFromStat(info);
    result.stamp.contentHash = hash.Value();
  } catch (const std::bad_alloc&) {
    // Everything read so far has been released while unwinding, so there is room for the message.
    return Unreadable("there is not enough memory to hold its lines");
  }
  result.status = ReadResult::Status::kLoaded;
  return result;
}

}  // namespace

ReadResult ReadModelFile(const std::string& path) {
  if (path.empty()) return {};
  // Looked at before opening: opening a device can have effects of its own (a tape rewinds).
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return MeansNoFile(errno) ? ReadResult{} : Unreadable(errno);
  if (S_ISDIR(info.st_mode)) return {};
  if (!S_ISREG(info.st_mode)) return Unreadable(kNotRegularReason);

  // Without O_NONBLOCK, opening a fifo that was put in the file's place meanwhile would wait for a
  // writer; fstat then tells what was really opened.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) {
    const int error = errno;
    if (MeansNoFile(error)) return {};
    return Unreadable(error == ENXIO ? std::string(kNotRegularReason) : std::strerror(error));
  }
  if (::fstat(file.Get(), &info) != 0) return Unreadable(errno);
  if (S_ISDIR(info.st_mode)) return {};
  if (!S_ISREG(info.st_mode)) return Unreadable(kNotRegularReason);
  // Reads wait again, so that a file held under a lock or on a slow server is waited for, not failed.
  ::fcntl(file.Get(), F_SETFL, ::fcntl(file.Get(), F_GETFL) & ~O_NONBLOCK);
  return ReadToEnd(file.Get(), info);
}

ReadResult ReadModelDescriptor(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return Unreadable(errno);
  return ReadToEnd(fd, info);
}

}  // namespace kelvane::document
