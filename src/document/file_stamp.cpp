#include "document/file_stamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

namespace kelvane::document {
namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87u;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Fu;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9u;

// File systems count modification times in steps of up to two seconds (FAT), and a file server's clock
// may lag behind ours; a file modified less than this long before it was read gets its bytes compared.
constexpr std::int64_t kCoarseClockSeconds = 10;

std::uint64_t Load64(const unsigned char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

std::uint64_t Avalanche(std::uint64_t h) {
  h ^= h >> 33;
  h *= kPrime2;
  h ^= h >> 29;
  h *= kPrime3;
  h ^= h >> 32;
  return h;
}

// The hash of the bytes of a regular file, or nothing when it cannot be read.
bool HashFile(const std::string& path, std::uint64_t& hash) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  ContentHash content;
  std::vector<char> block(1 << 20);
  while (ok) {
    const ssize_t count = ::read(fd, block.data(), block.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      ok = count == 0;
      break;
    }
    content.Feed(std::string_view(block.data(), static_cast<std::size_t>(count)));
  }
  ::close(fd);
  hash = content.Value();
  return ok;
}

}  // namespace

void ContentHash::Mix(const unsigned char* block) {
  for (std::size_t lane = 0; lane < lanes_.size(); ++lane) {
    lanes_[lane] = std::rotl(lanes_[lane] + Load64(block + 8 * lane) * kPrime2, 31) * kPrime1;
  }
}

void ContentHash::Feed(std::string_view bytes) {
  auto data = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t size = bytes.size();
  total_ += size;
  if (pendingSize_ > 0) {
    const std::size_t taken = std::min(size, pending_.size() - pendingSize_);
    std::memcpy(pending_.data() + pendingSize_, data, taken);
    pendingSize_ += taken;
    data += taken;
    size -= taken;
    if (pendingSize_ < pending_.size()) return;
    Mix(pending_.data());
    pendingSize_ = 0;
  }
  for (; size >= pending_.size(); data += pending_.size(), size -= pending_.size()) Mix(data);
  std::memcpy(pending_.data(), data, size);
  pendingSize_ = size;
}

std::uint64_t ContentHash::Value() const {
  std::uint64_t h = std::rotl(lanes_[0], 1) + std::rotl(lanes_[1], 7) + std::rotl(lanes_[2], 12) +
                    std::rotl(lanes_[3], 18) + total_;
  for (std::size_t i = 0; i < pendingSize_; ++i) h = std::rotl(h ^ (pending_[i] * kPrime3), 11) * kPrime1;
  return Avalanche(h);
}

FileStamp StampFromStat(const struct stat& info) {
  FileStamp stamp;
  stamp.device = static_cast<std::uint64_t>(info.st_dev);
  stamp.inode = static_cast<std::uint64_t>(info.st_ino);
  stamp.size = static_cast<std::int64_t>(info.st_size);
  stamp.modifiedSeconds = static_cast<std::int64_t>(info.st_mtim.tv_sec);
  stamp.modifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_nsec);
  stamp.readSeconds = static_cast<std::int64_t>(std::time(nullptr));
  return stamp;
}

bool NeedsContentHash(const FileStamp& stamp) {
  return stamp.readSeconds - stamp.modifiedSeconds < kCoarseClockSeconds;
}

DiskState CompareWithDisk(const std::string& path, const FileStamp& loaded) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return errno == ENOENT ? DiskState::kGone : DiskState::kChanged;
  const FileStamp now = StampFromStat(info);
  if (now.device != loaded.device || now.inode != loaded.inode) return DiskState::kReplaced;
  if (now.size != loaded.size || now.modifiedSeconds != loaded.modifiedSeconds ||
      now.modifiedNanoseconds != loaded.modifiedNanoseconds) {
    return DiskState::kChanged;
  }
  if (!NeedsContentHash(loaded)) return DiskState::kUnchanged;
  std::uint64_t hash = 0;
  return HashFile(path, hash) && hash == loaded.contentHash ? DiskState::kUnchanged : DiskState::kChanged;
}

}  // namespace kelvane::document
