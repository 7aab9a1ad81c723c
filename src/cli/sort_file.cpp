#include "cli/sort_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/background_sort.h"
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

}  // namespace

// A model too large for the memory left fails alone: its lines are let go and the next file goes on.
FileOutcome SortFile(const std::string& file, const RunSettings& settings, const SortFunction& sort,
                     document::LineList& model) try {
  model.Clear();  // the last file's lines would only take room from this one's
  const bool standardInput = file == kStandardInputName;
  // Without --lines every part line takes part, and the reader marks them as it cuts the lines.
  const auto marks = settings.lines ? document::InitialMarks::kNone : document::InitialMarks::kPartLines;
  document::ReadResult read = standardInput ? document::ReadModelDescriptor(STDIN_FILENO, marks)
                                            : document::ReadModelFile(file, marks);
  switch (read.status) {
    case document::ReadResult::Status::kLoaded:
      break;
    case document::ReadResult::Status::kNotAFile:
      return Failed(file, WhyNotAFile(file));
    case document::ReadResult::Status::kUnreadable:
      return Failed(standardInput ? std::string(kStandardInputMessageName) : file, read.reason);
  }

  model = std::move(read.lines);
  if (settings.lines) CheckPartLines(model, *settings.lines);
  const bool toStandardOutput = settings.output ? *settings.output == kStandardOutputName : standardInput;
  if (settings.check || toStandardOutput) {
    const FileOutcome sorted{true, {}, sort(model, settings.sort, {})};
    if (settings.check) return sorted;
    // Standard output gets the lines only once all are sorted: a failed sort writes nothing there.
    const std::string error = document::WriteLinesToDescriptor(STDOUT_FILENO, model, settings.lineEnd);
    if (!error.empty()) return Failed("standard output", error);
    return sorted;
  }

  const std::string& target = settings.output ? *settings.output : file;
  // A copy is kept only of the file being overwritten, never of some other file that -o names.
  const std::optional<std::string> backup =
      settings.backup && !settings.output ? document::BackupPathFor(file) : std::nullopt;
  // A file sorted in place in which no line moved is not written over at all, so the save is called
  // off then; an output elsewhere gets the lines regardless.
  BackgroundSort sorting(sort, model, settings.sort, !settings.output);
  // Once every line is written, the lines' memory is given back on a thread of its own while the disk
  // finishes the file and it is renamed into place.
  std::jthread letGo;
  const document::LineFeed feed{[&sorting](std::size_t wanted) { return sorting.WaitForFinalLines(wanted); },
                                [&letGo, &model] {
                                  try {
                                    letGo = std::jthread([&model] { model.Clear(); });
                                  } catch (const std::system_error&) {
                                    // no thread to be had: the lines go with the next file or the process
                                  }
                                }};
  // A file overwritten in place is refused when another program changed it since it was read.
  const document::SaveResult saved = document::SaveModelFile(target, backup, model, settings.lineEnd,
                                                             settings.output ? nullptr : &read.stamp, feed);
  if (letGo.joinable()) letGo.join();
  const FileOutcome sorted{true, {}, sorting.Finish()};
  if (sorted.moved == 0 && !settings.output) return sorted;
  if (!saved.saved) return Failed(target, std::string("not saved: ") + saved.reason);
  return sorted;
} catch (const std::bad_alloc&) {
  model.Clear();
  return Failed(file, "there is not enough memory to sort it");
}

}  // namespace kelvane::cli
