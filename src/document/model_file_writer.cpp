#include "document/model_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "document/file_stamp.h"

namespace kelvane::document {
namespace {

// Lines are written, and the backup copied, through a buffer of this size.
constexpr std::size_t kBufferSize = 1 << 18;

std::string ErrorText(int error) { return std::strerror(error); }

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text);
  quoted.push_back('"');
  return quoted;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, const char* data, std::size_t size, int& error) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Asks the system to start writing out what was written so far, every few megabytes, so that the
// flush before the rename finds most of a large model already on its way to the disk instead of
// starting it all then. Only a hint: where it does not apply (a pipe, a terminal), nothing happens.
class EarlyWriteback {
 public:
  explicit EarlyWriteback(int fd) : fd_(fd) {}
  void Written(std::size_t bytes) {
    pending_ += bytes;
    if (pending_ < kStep) return;
#ifdef SYNC_FILE_RANGE_WRITE
    ::sync_file_range(fd_, static_cast<off_t>(start_), static_cast<off_t>(pending_), SYNC_FILE_RANGE_WRITE);
#endif
    start_ += pending_;
    pending_ = 0;
  }

 private:
  static constexpr std::size_t kStep = std::size_t{4} << 20;
  int fd_;
  std::size_t start_ = 0;
  std::size_t pending_ = 0;
};

std::string_view EndBytes(LineEnd lineEnd) { return lineEnd == LineEnd::kLf ? "\n" : "\r\n"; }

// Writes every line followed by lineEnd, through a buffer: a gathered write straight from the model's
// buffer (writev, one piece a line) was measured slower on ext4, as the kernel's cost per piece
// outweighs copying the line. Returns 0 or the errno of the first failure; ENOMEM when there is no
// room for the buffer, so that the callers' open files and temporary files are cleaned up as for any
// other failure.
int WriteLines(int fd, const LineList& lines, LineEnd lineEnd, const FinalLines& finalLines = {}) {
  // Lines before `ready` are final; with no finalLines, all of them are.
  std::size_t ready = finalLines ? 0 : lines.Size();
  const auto waitFor = [&](std::size_t wanted) {
    const std::optional<std::size_t> count = finalLines(wanted);
    if (!count || *count < wanted) return false;
    ready = *count;
    return true;
  };
  const std::string_view end = EndBytes(lineEnd);
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[kBufferSize]);
  if (!buffer) return ENOMEM;
  char* const first = buffer.get();
  char* const last = first + kBufferSize;
  char* out = first;
  int error = 0;
  EarlyWriteback writeback(fd);
  for (std::size_t i = 0; i < lines.Size(); ++i) {
    if (i == ready && !waitFor(i + 1)) return ECANCELED;
    const std::string_view line = lines.Text(i);
    if (static_cast<std::size_t>(last - out) < line.size() + end.size() && out != first) {
      if (!WriteAll(fd, first, static_cast<std::size_t>(out - first), error)) return error;
      writeback.Written(static_cast<std::size_t>(out - first));
      out = first;
    }
    if (line.size() + end.size() > kBufferSize) {
      if (!WriteAll(fd, line.data(), line.size(), error)) return error;
      writeback.Written(line.size());
      std::memcpy(out, end.data(), end.size());
      out += end.size();
      continue;
    }
    std::memcpy(out, line.data(), line.size());
    out += line.size();
    std::memcpy(out, end.data(), end.size());
    out += end.size();
  }
  if (out != first && !WriteAll(fd, first, static_cast<std::size_t>(out - first), error)) return error;
  if (finalLines && !waitFor(lines.Size())) return ECANCELED;
  return 0;
}

mode_t DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// A temporary file beside target, named after it so that a leftover is easy to recognise.
int CreateTemporaryBeside(const std::string& target, std::string& temporaryPath) {
  temporaryPath = FolderOf(target);
  temporaryPath.append(".").append(NameOf(target)).append(".kelvane-XXXXXX");
  return ::mkstemp(temporaryPath.data());
}

// The owner and group a saved file is to keep: those of the file it replaces.
struct Owner {
  uid_t user;
  gid_t group;
};

// Gives a new file the owner and group of the one it stands in for. Only an administrator can hand a
// file to another user; a user may still give it one of their own groups. False when the file could
// not be given both.
bool KeepOwner(int fd, const Owner* owner) {
  if (owner == nullptr) return true;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && info.st_uid == owner->user && info.st_gid == owner->group) return true;
  if (::fchown(fd, owner->user, owner->group) == 0) return true;
  ::fchown(fd, static_cast<uid_t>(-1), owner->group);
  return false;
}

// Flushes a finished temporary file with its mode (after the owner, as chown clears set-id bits) and
// closes it. Returns 0 or the errno of the first failure, which removes the file.
int FinishTemporary(int fd, int error, mode_t mode, const std::string& temporaryPath) {
  if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) ::unlink(temporaryPath.c_str());
  return error;
}

// Writes into a temporary file beside target and flushes it; the caller renames it into place.
// Returns 0 or the errno of the failure (the temporary file is removed then). ownerKept tells whether
// it got the owner and group asked for.
int WriteTemporary(const std::string& target, mode_t mode, const Owner* owner, const LineList& lines,
                   LineEnd lineEnd, const LineFeed& feed, std::string& temporaryPath, bool& ownerKept) {
  const int fd = CreateTemporaryBeside(target, temporaryPath);
  if (fd < 0) return errno;
  const int error = WriteLines(fd, lines, lineEnd, feed.finalLines);
  if (error == 0 && feed.allWritten) feed.allWritten();
  ownerKept = KeepOwner(fd, owner);
  return FinishTemporary(fd, error, mode, temporaryPath);
}

// Copies what is left of `in` to `out` through `buffer`. Returns 0 or errno.
int CopyRest(int in, int out, std::string& buffer) {
  int error = 0;
  for (;;) {
    const ssize_t count = ::read(in, buffer.data(), buffer.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (count == 0) return 0;
    if (!WriteAll(out, buffer.data(), static_cast<std::size_t>(count), error)) return error;
  }
}

// Copies source into a flushed temporary file beside target. Returns 0 or errno.
int CopyToTemporary(const std::string& source, const std::string& target, mode_t mode, const Owner* owner,
                    std::string& temporaryPath) {
  std::string buffer(kBufferSize, '\0');  // before anything is opened that a failure would leave open
  const int in = ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) return errno;
  const int out = CreateTemporaryBeside(target, temporaryPath);
  if (out < 0) {
    const int error = errno;
    ::close(in);
    return error;
  }
  const int error = CopyRest(in, out, buffer);
  ::close(in);
  KeepOwner(out, owner);
  return FinishTemporary(out, error, mode, temporaryPath);
}

void SyncFolder(const std::string& path) {
  const std::string folder = FolderOf(path);
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Saving through a symbolic link writes the file it points to and keeps the link.
std::string ResolveLink(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

SaveResult Failure(std::string reason) { return SaveResult{false, std::move(reason)}; }

// A device or a named pipe is written into as it is: replacing it with a new file would put a plain
// file in its place. Nothing can be copied out of it first, so it gets no backup.
SaveResult WriteIntoSpecialFile(const std::string& target, const LineList& lines, LineEnd lineEnd) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return Failure(ErrorText(errno));
  int error = WriteLines(fd, lines, lineEnd);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return Failure(ErrorText(error));
  return SaveResult{true, {}};
}

// Copies the flushed new file over the bytes of the file itself, so that every hard link to it sees the
// new lines and its owner stays. Returns 0 or errno.
int WriteInPlace(const std::string& target, const std::string& flushedCopy) {
  std::string buffer(kBufferSize, '\0');
  const int in = ::open(flushedCopy.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno;
  const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    ::close(in);
    return error;
  }
  int error = CopyRest(in, fd, buffer);
  ::close(in);
  const off_t end = ::lseek(fd, 0, SEEK_CUR);
  if (error == 0 && (end < 0 || ::ftruncate(fd, end) != 0)) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  return a == b || (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
                    first.st_dev == second.st_dev && first.st_ino == second.st_ino);
}

// Why a save over a file that changed since it was loaded is refused; empty when it may go ahead.
std::string ChangedSinceLoading(const std::string& target, const FileStamp* loaded) {
  if (loaded == nullptr) return {};
  switch (CompareWithDisk(target, *loaded)) {
    case DiskState::kChanged:
      return "it was changed by another program after it was read";
    case DiskState::kReplaced:
      return "another file took its place after it was read";
    case DiskState::kUnchanged:
    case DiskState::kGone:
      break;
  }
  return {};
}

}  // namespace

std::optional<std::string> BackupName(std::string_view fileName) {
  std::size_t cut = fileName.size();
  for (int characters = 0; characters < 4; ++characters) {
    if (cut == 0) return std::nullopt;
    --cut;
    while (cut > 0 && (static_cast<unsigned char>(fileName[cut]) & 0xC0) == 0x80) --cut;
  }
  return std::string(fileName.substr(0, cut)) + ".bak";
}

std::optional<std::string> BackupPathFor(std::string_view path) {
  const auto slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  auto name = BackupName(path.substr(nameStart));
  if (!name) return std::nullopt;
  return std::string(path.substr(0, nameStart)) + *name;
}

SaveResult SaveModelFile(const std::string& modelPath, const std::optional<std::string>& backupPath,
                         const LineList& lines, LineEnd lineEnd, const FileStamp* loaded,
                         const LineFeed& feed) {
  if (NameOf(modelPath).empty()) return Failure("the file name is empty");
  const std::string target = ResolveLink(modelPath);

  struct stat info {};
  const bool exists = ::stat(target.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return Failure(ErrorText(errno));
  if (exists && S_ISDIR(info.st_mode)) return Failure("the name is that of a folder");
  // Write bits are looked at as well as access(): an administrator may write anywhere, but a file
  // marked read-only is meant to stay as it is.
  if (exists && ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
    return Failure("the file is read-only");
  }
  if (exists && !S_ISREG(info.st_mode)) {
    if (feed.finalLines && !feed.finalLines(lines.Size())) return Failure(ErrorText(ECANCELED));
    return WriteIntoSpecialFile(target, lines, lineEnd);
  }
  if (exists && backupPath && (SameFile(modelPath, *backupPath) || SameFile(target, *backupPath))) {
    return Failure("its backup " + Quoted(NameOf(*backupPath)) +
                   " would be the file itself; it can be saved only without a backup");
  }
  const mode_t mode = exists ? (info.st_mode & 07777) : DefaultFileMode();
  const Owner modelOwner{info.st_uid, info.st_gid};
  const Owner* owner = exists ? &modelOwner : nullptr;

  std::string temporaryModel;
  bool ownerKept = true;
  if (const int error = WriteTemporary(target, mode, owner, lines, lineEnd, feed, temporaryModel, ownerKept);
      error != 0) {
    return Failure(std::string("it could not be written in its folder (") + ErrorText(error) + ")");
  }
  // Checked once the new lines are safely on disk, as close to replacing the file as it can be.
  if (const std::string changed = ChangedSinceLoading(target, loaded); !changed.empty()) {
    ::unlink(temporaryModel.c_str());
    return Failure(changed);
  }

  if (exists && backupPath) {
    std::string temporaryBackup;
    int error = CopyToTemporary(target, *backupPath, mode, owner, temporaryBackup);
    if (error == 0 && ::rename(temporaryBackup.c_str(), backupPath->c_str()) != 0) {
      error = errno;
      ::unlink(temporaryBackup.c_str());
    }
    if (error != 0) {
      ::unlink(temporaryModel.c_str());
      return Failure(std::string("the backup ") + Quoted(NameOf(*backupPath)) + " could not be made (" +
                     ErrorText(error) + ")");
    }
  }

  // Renaming a new file into place would leave the other names of a hard-linked model with the old
  // lines, and would hand the model to whoever saves it when its owner cannot be given to the new
  // file. Such a model is written through in place; the flushed temporary file stays until that
  // succeeded, so a failure half-way still loses nothing.
  if (exists && (info.st_nlink > 1 || !ownerKept)) {
    if (const int error = WriteInPlace(target, temporaryModel); error != 0) {
      return Failure(std::string("it could not be written in place (") + ErrorText(error) +
                     "); the new lines are kept in " + Quoted(NameOf(temporaryModel)));
    }
    ::unlink(temporaryModel.c_str());
    return SaveResult{true, {}};
  }
  if (::rename(temporaryModel.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporaryModel.c_str());
    return Failure(std::string("it could not be replaced (") + ErrorText(error) + ")");
  }
  SyncFolder(target);
  return SaveResult{true, {}};
}

std::string WriteLinesToDescriptor(int fd, const LineList& lines, LineEnd lineEnd) {
  const int error = WriteLines(fd, lines, lineEnd);
  return error == 0 ? std::string() : ErrorText(error);
}

}  // namespace kelvane::document
