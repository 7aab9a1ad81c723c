#pragma once

#include <string>
#include <vector>

#include "document/file_stamp.h"

namespace kelvane::document {

struct ReadResult {
  enum class Status {
    kLoaded,      // lines holds the file's lines
    kNotAFile,    // no such file, an empty name, a folder: the normal state while a name is typed
    kUnreadable,  // the file is there but could not be read; reason says why
  };
  Status status = Status::kNotAFile;
  std::vector<std::string> lines;
  std::string reason;
  FileStamp stamp;  // when loaded: the file as it was read, to tell later whether it was changed since
};

// The reason given for a name that leads to a fifo, a device, a socket or the like.
inline constexpr const char* kNotRegularReason = "not a regular file";

// Reads a model file with the program's line rules (see LineSplitter). The file is open only for the
// duration of the call. Only a regular file is read: a fifo or a device could block for ever or never
// end, so such a name is refused at once (kUnreadable, kNotRegularReason) without waiting on it. When
// the lines do not fit into memory, nothing is kept and the reason says so.
ReadResult ReadModelFile(const std::string& path);

// Reads an open descriptor of any kind (standard input may be a pipe) to its end with the same rules.
// The descriptor stays open.
ReadResult ReadModelDescriptor(int fd);

}  // namespace kelvane::document
