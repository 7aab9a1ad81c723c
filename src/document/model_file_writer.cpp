#include "document/model_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace kelvane::document {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

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

std::string_view EndBytes(LineEnd lineEnd) { return lineEnd == LineEnd::kLf ? "\n" : "\r\n"; }

// Returns 0 or the errno of the first failure.
int WriteLines(int fd, const std::vector<std::string>& lines, LineEnd lineEnd) {
  const std::string_view end = EndBytes(lineEnd);
  std::string buffer;
  buffer.reserve(kBufferSize + end.size());
  int error = 0;
  for (const std::string& line : lines) {
    if (buffer.size() + line.size() + end.size() > kBufferSize && !buffer.empty()) {
      if (!WriteAll(fd, buffer.data(), buffer.size(), error)) return error;
      buffer.clear();
    }
    if (line.size() + end.size() > kBufferSize) {
      if (!WriteAll(fd, line.data(), line.size(), error)) return error;
      buffer.append(end);
      continue;
    }
    buffer.append(line);
    buffer.append(end);
  }
  if (!buffer.empty() && !WriteAll(fd, buffer.data(), buffer.size(), error)) return error;
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

// Writes into a temporary file beside target and flushes it; the caller renames it into place.
// Returns 0 or the errno of the failure (the temporary file is removed then).
int WriteTemporary(const std::string& target, mode_t mode, const std::vector<std::string>& lines,
                   LineEnd lineEnd, std::string& temporaryPath) {
  const int fd = CreateTemporaryBeside(target, temporaryPath);
  if (fd < 0) return errno;
  int error = WriteLines(fd, lines, lineEnd);
  if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) ::unlink(temporaryPath.c_str());
  return error;
}

// Copies source into a flushed temporary file beside target. Returns 0 or errno.
int CopyToTemporary(const std::string& source, const std::string& target, mode_t mode,
                    std::string& temporaryPath) {
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno;
  const int out = CreateTemporaryBeside(target, temporaryPath);
  if (out < 0) {
    const int error = errno;
    ::close(in);
    return error;
  }
  int error = 0;
  std::string buffer(kBufferSize, '\0');
  for (;;) {
    const ssize_t count = ::read(in, buffer.data(), buffer.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    if (count == 0) break;
    if (!WriteAll(out, buffer.data(), static_cast<std::size_t>(count), error)) break;
  }
  ::close(in);
  if (error == 0 && ::fchmod(out, mode) != 0) error = errno;
  if (error == 0 && ::fsync(out) != 0) error = errno;
  if (::close(out) != 0 && error == 0) error = errno;
  if (error != 0) ::unlink(temporaryPath.c_str());
  return error;
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
SaveResult WriteIntoSpecialFile(const std::string& target, const std::vector<std::string>& lines,
                                LineEnd lineEnd) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return Failure(ErrorText(errno));
  int error = WriteLines(fd, lines, lineEnd);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return Failure(ErrorText(error));
  return SaveResult{true, {}};
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
                         const std::vector<std::string>& lines, LineEnd lineEnd) {
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
  if (exists && !S_ISREG(info.st_mode)) return WriteIntoSpecialFile(target, lines, lineEnd);
  const mode_t mode = exists ? (info.st_mode & 07777) : DefaultFileMode();

  std::string temporaryModel;
  if (const int error = WriteTemporary(target, mode, lines, lineEnd, temporaryModel); error != 0) {
    return Failure(std::string("it could not be written in its folder (") + ErrorText(error) + ")");
  }

  if (exists && backupPath) {
    std::string temporaryBackup;
    int error = CopyToTemporary(target, *backupPath, mode, temporaryBackup);
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

  if (::rename(temporaryModel.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporaryModel.c_str());
    return Failure(std::string("it could not be replaced (") + ErrorText(error) + ")");
  }
  SyncFolder(target);
  return SaveResult{true, {}};
}

std::string WriteLinesToDescriptor(int fd, const std::vector<std::string>& lines, LineEnd lineEnd) {
  const int error = WriteLines(fd, lines, lineEnd);
  return error == 0 ? std::string() : ErrorText(error);
}

}  // namespace kelvane::document
