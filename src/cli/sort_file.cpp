#include "cli/sort_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "document/model_file_reader.h"
#include "document/model_file_writer.h"

namespace kelvane::cli {
namespace {

FileOutcome Failed(const std::string& name, std::string_view reason) {
  return FileOutcome{false, std::string(name).append(": ").append(reason)};
}

// The reader folds every "nothing to read here" case into one status; a user wants to know which.
std::string_view WhyNotAFile(const std::string& file) {
  struct stat info {};
  if (!file.empty() && ::stat(file.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    return "Is a directory";
  }
  return "No such file or directory";
}

// A target that exists but is neither a file nor a folder: a device such as /dev/null, a named pipe.
bool IsSpecialFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

// Such a target is written into as it is: replacing it with a new file, as a model file is replaced,
// would put a plain file in the place of the device or pipe.
FileOutcome WriteIntoSpecialFile(const std::string& target, const std::vector<std::string>& lines) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return Failed(target, std::strerror(errno));
  std::string error = document::WriteLinesToDescriptor(fd, lines);
  if (::close(fd) != 0 && error.empty()) error = std::strerror(errno);
  if (!error.empty()) return Failed(target, error);
  return FileOutcome{true, {}};
}

}  // namespace

FileOutcome SortFile(const std::string& file, const RunSettings& settings, const SortFunction& sort,
                     document::LineList& model) {
  document::ReadResult read = document::ReadModelFile(file);
  switch (read.status) {
    case document::ReadResult::Status::kLoaded:
      break;
    case document::ReadResult::Status::kNotAFile:
      return Failed(file, WhyNotAFile(file));
    case document::ReadResult::Status::kUnreadable:
      return Failed(file, read.reason);
  }

  model.Assign(std::move(read.lines));
  CheckPartLines(model, settings.lines);
  sort(model, settings.sort);

  if (settings.output && *settings.output == kStandardOutputName) {
    const std::string error = document::WriteLinesToDescriptor(STDOUT_FILENO, model.Texts());
    if (!error.empty()) return Failed("standard output", error);
    return FileOutcome{true, {}};
  }

  const std::string& target = settings.output ? *settings.output : file;
  if (IsSpecialFile(target)) return WriteIntoSpecialFile(target, model.Texts());
  // A copy is kept only of the file being overwritten, never of some other file that -o names.
  const std::optional<std::string> backup =
      settings.backup && !settings.output ? document::BackupPathFor(file) : std::nullopt;
  const document::SaveResult saved = document::SaveModelFile(target, backup, model.Texts());
  if (!saved.saved) return Failed(target, std::string("not saved: ") + saved.reason);
  return FileOutcome{true, {}};
}

}  // namespace kelvane::cli
