#pragma once

#include <string>
#include <vector>

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
};

// Reads a model file with the program's line rules (see LineSplitter). The file is open only for the
// duration of the call.
ReadResult ReadModelFile(const std::string& path);

}  // namespace kelvane::document
