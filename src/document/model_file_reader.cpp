#include "document/model_file_reader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "document/line_splitter.h"

namespace kelvane::document {
namespace {

// The first buffer for a stream of unknown length, such as standard input.
constexpr std::size_t kFirstBlockSize = 1 << 16;

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

// Buffers this large are mapped, with their pages made at once unless the caller makes them: a model
// of ten million lines then reads in two thirds of the time it takes when each page is faulted in as
// the read reaches it.
constexpr std::size_t kMappedBufferSize = std::size_t{1} << 20;
// Regular files this large are read on two threads.
constexpr std::size_t kHalvedReadSize = std::size_t{8} << 20;

// Room for `size` bytes, left as it is (no zeroing beyond what the system does).
std::shared_ptr<char[]> NewBuffer(std::size_t size, bool makePages = true) {
#ifdef MAP_POPULATE
  if (size >= kMappedBufferSize) {
    const int populate = makePages ? MAP_POPULATE : 0;
    void* bytes =
        ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | populate, -1, 0);
    if (bytes == MAP_FAILED) throw std::bad_alloc();
    return std::shared_ptr<char[]>(static_cast<char*>(bytes),
                                   [size](char* mapped) { ::munmap(mapped, size); });
  }
#endif
  return std::shared_ptr<char[]>(new char[size]);
}

// Reads the first `size` bytes of a regular file into `buffer` (mapped, so page-aligned) on two
// threads, each making the pages of its half first: the page set-up and the kernel's copy then run
// on two cores, which takes about 40 % off reading a large model. False when the file ended early
// (it shrank meanwhile) or a read failed (then `error` says why).
bool ReadInHalves(int fd, char* buffer, std::size_t size, int& error) {
  const std::size_t half = size / 2 & ~std::size_t{4095};
  std::array<int, 2> errors{};
  std::array<bool, 2> complete{};
  const auto readRange = [&](std::size_t k, std::size_t from, std::size_t to) {
#ifdef MADV_POPULATE_WRITE
    ::madvise(buffer + from, to - from, MADV_POPULATE_WRITE);  // only a hint: faults make them anyway
#endif
    for (std::size_t at = from; at < to;) {
      const ssize_t count = ::pread(fd, buffer + at, to - at, static_cast<off_t>(at));
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) errors[k] = errno;
      if (count <= 0) return;
      at += static_cast<std::size_t>(count);
    }
    complete[k] = true;
  };
  std::thread second;
  try {
    second = std::thread(readRange, 1, half, size);
  } catch (const std::system_error&) {
    readRange(1, half, size);  // no thread to be had: read here
  }
  readRange(0, 0, half);
  if (second.joinable()) second.join();
  error = errors[0] != 0 ? errors[0] : errors[1];
  return complete[0] && complete[1];
}

// The whole content of fd in one buffer. A regular file is read into a buffer of its size, with one
// more byte to notice growth; a pipe, or a file that grows while it is read, doubles the buffer.
struct WholeFile {
  std::shared_ptr<char[]> bytes;
  std::size_t size = 0;
  int error = 0;  // errno of a failed read
  bool tooLarge = false;
};

WholeFile ReadWholeFile(int fd, const struct stat& info) {
  WholeFile file;
  if (S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) > kLargestModelSize) {
    file.tooLarge = true;
    return file;
  }
  std::size_t capacity = S_ISREG(info.st_mode) && info.st_size > 0
                             ? static_cast<std::size_t>(info.st_size) + 1
                             : kFirstBlockSize;
  // Only from the start of the file: standard input may be a file already read in part.
  if (S_ISREG(info.st_mode) && capacity > kHalvedReadSize && ::lseek(fd, 0, SEEK_CUR) == 0) {
    file.bytes = NewBuffer(capacity, false);
    if (ReadInHalves(fd, file.bytes.get(), capacity - 1, file.error)) {
      file.size = capacity - 1;
    } else if (file.error != 0) {
      return file;
    }
    // From here on as any read: what the file grew by meanwhile is read on; after a short read the
    // file shrank meanwhile, and it is read again from its start.
    if (::lseek(fd, static_cast<off_t>(file.size), SEEK_SET) < 0) {
      file.error = errno;
      return file;
    }
  } else {
    file.bytes = NewBuffer(capacity);
  }
  for (;;) {
    if (file.size == capacity) {
      if (capacity > kLargestModelSize) {
        file.tooLarge = true;
        return file;
      }
      const std::size_t larger = std::min<std::size_t>(2 * capacity, kLargestModelSize + 1);
      std::shared_ptr<char[]> grown = NewBuffer(larger);
      std::memcpy(grown.get(), file.bytes.get(), file.size);
      file.bytes = std::move(grown);
      capacity = larger;
    }
    const ssize_t count = ::read(fd, file.bytes.get() + file.size, capacity - file.size);
    if (count < 0) {
      if (errno == EINTR) continue;
      file.error = errno;
      return file;
    }
    if (count == 0) break;
    file.size += static_cast<std::size_t>(count);
  }
  if (file.size > kLargestModelSize) file.tooLarge = true;
  return file;
}

ReadResult ReadToEnd(int fd, const struct stat& info, InitialMarks marks) {
  ReadResult result;
  try {
    WholeFile file = ReadWholeFile(fd, info);
    if (file.error != 0) return Unreadable(file.error);
    if (file.tooLarge) return Unreadable(kTooLargeReason);
    const std::string_view bytes(file.bytes.get(), file.size);
    result.stamp = StampFromStat(info);
    if (NeedsContentHash(result.stamp)) {
      ContentHash hash;
      hash.Feed(bytes);
      result.stamp.contentHash = hash.Value();
    }
    if (marks == InitialMarks::kPartLines) {
      std::vector<std::uint8_t> partLines;
      std::vector<LineSpan> spans = SplitLines(bytes, &partLines);
      result.lines = LineList(std::move(file.bytes), std::move(spans), std::move(partLines));
    } else {
      result.lines = LineList(std::move(file.bytes), SplitLines(bytes));
    }
  } catch (const std::bad_alloc&) {
    // Everything read so far has been released while unwinding, so there is room for the message.
    return Unreadable("there is not enough memory to hold its lines");
  }
  result.status = ReadResult::Status::kLoaded;
  return result;
}

}  // namespace

ReadResult ReadModelFile(const std::string& path, InitialMarks marks) {
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
  return ReadToEnd(file.Get(), info, marks);
}

ReadResult ReadModelDescriptor(int fd, InitialMarks marks) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return Unreadable(errno);
  return ReadToEnd(fd, info, marks);
}

}  // namespace kelvane::document
