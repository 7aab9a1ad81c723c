#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct stat;

namespace kelvane::document {

// A fast 64-bit hash of a file's bytes, fed in slices of any size. It tells a file that was rewritten
// with the same size within one tick of the file system's clock from the one that was read; it is no
// defence against someone who wants a collision.
class ContentHash {
 public:
  void Feed(std::string_view bytes);
  std::uint64_t Value() const;

 private:
  void Mix(const unsigned char* block);

  std::array<std::uint64_t, 4> lanes_{0x9E3779B185EBCA87u, 0xC2B2AE3D27D4EB4Fu, 0x165667B19E3779F9u,
                                      0x85EBCA77C2B2AE63u};
  std::array<unsigned char, 32> pending_{};
  std::size_t pendingSize_ = 0;
  std::uint64_t total_ = 0;
};

// What identifies the file a model was loaded from, taken while it was read: the file (device and
// inode), its size and modification time, the time of reading and a hash of the bytes read.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  std::int64_t modifiedNanoseconds = 0;
  std::int64_t readSeconds = 0;  // the system clock when the file was read
  std::uint64_t contentHash = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp's file fields from the result of stat() or fstat(), with the current time as readSeconds.
FileStamp StampFromStat(const struct stat& info);

// Whether a later comparison may need the hash of the bytes read: only for a file modified shortly
// before it was read (see CompareWithDisk). Reading skips the hash of other files.
bool NeedsContentHash(const FileStamp& stamp);

enum class DiskState {
  kUnchanged,  // the name still leads to the bytes that were loaded
  kChanged,    // the same file, written since it was loaded
  kReplaced,   // the name now leads to another file (saved by renaming, restored, a link changed)
  kGone,       // nothing has the name any more
};

// Whether the file at path is still the one `loaded` was taken from. Device, inode, size and
// modification time decide; when they all match and the file was modified shortly before it was read,
// a second write within the same clock tick would have left them as they were, so the bytes are read
// again and their hash compared. A file that can no longer be read counts as changed.
DiskState CompareWithDisk(const std::string& path, const FileStamp& loaded);

}  // namespace kelvane::document
