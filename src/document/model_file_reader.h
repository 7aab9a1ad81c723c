#pragma once

#include <string>

#include "document/file_stamp.h"
#include "document/line_list.h"

namespace kelvane::document {

struct ReadResult {
  enum class Status {
    kLoaded,      // lines holds the file's lines
    kNotAFile,    // no such file, an empty name, a folder: the normal state while a name is typed
    kUnreadable,  // the file is there but could not be read; reason says why
  };
  Status status = Status::kNotAFile;
  LineList lines;
  std::string reason;
  FileStamp stamp;  // when loaded: the file as it was read, to tell later whether it was changed since
};

// The reason given for a name that leads to a fifo, a device, a socket or the like.
inline constexpr const char* kNotRegularReason = "not a regular file";
// The reason given for a file of kLargestModelSize bytes or more.
inline constexpr const char* kTooLargeReason = "it is too large (model files of 4 GiB or more are not read)";

// Which lines a read model comes with checked: none, or every part-reference line (as "Select All"
// checks them), marked as the lines are cut, while each is at hand.
enum class InitialMarks { kNone, kPartLines };

// Reads a model file into one buffer and cuts it into lines (see SplitLines). The file is open only
// for the duration of the call. Only a regular file is read: a fifo or a device could block for ever or never
// end, so such a name is refused at once (kUnreadable, kNotRegularReason) without waiting on it. When
// the file does not fit into memory, or is too large for the line table (kLargestModelSize), nothing is
// kept and the reason says so.
ReadResult ReadModelFile(const std::string& path, InitialMarks marks = InitialMarks::kNone);

// Reads an open descriptor of any kind (standard input may be a pipe) to its end with the same rules.
// The descriptor stays open.
ReadResult ReadModelDescriptor(int fd, InitialMarks marks = InitialMarks::kNone);

}  // namespace kelvane::document
