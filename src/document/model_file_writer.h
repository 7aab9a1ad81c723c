#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::document {

// What ends each written line: CR LF, as the window always writes, or LF alone for repositories
// and tools that keep Unix line ends.
enum class LineEnd { kCrLf, kLf };

struct SaveResult {
  bool saved = false;
  std::string reason;  // why nothing was saved, in words for a message box; empty when saved
};

// The backup name of a model file name: its last four characters replaced by ".bak" (model.dat,
// model.ldr and model.mpd all give model.bak). Characters are counted as UTF-8 code points. A name
// shorter than four characters has no backup name.
std::optional<std::string> BackupName(std::string_view fileName);

// The backup path of a full path: the folder part is kept, the name gets BackupName().
std::optional<std::string> BackupPathFor(std::string_view path);

// Writes every line followed by lineEnd to modelPath, replacing the file atomically: the lines go to a
// temporary file in the same folder, which is flushed to disk and only then renamed over the model.
// With a backupPath, an existing model file is first copied there (an older backup is replaced only
// once the new one is complete). At every moment the old or the new model is complete on disk; when
// anything fails, the model file and any older backup stay as they were and reason says why. A
// device or a named pipe is written into instead, without a backup.
SaveResult SaveModelFile(const std::string& modelPath, const std::optional<std::string>& backupPath,
                         const std::vector<std::string>& lines, LineEnd lineEnd = LineEnd::kCrLf);

// Writes every line followed by lineEnd to an open file descriptor (standard output for the batch
// tool). Returns an empty text on success, else the reason.
std::string WriteLinesToDescriptor(int fd, const std::vector<std::string>& lines,
                                   LineEnd lineEnd = LineEnd::kCrLf);

}  // namespace kelvane::document
