#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/file_stamp.h"
#include "document/line_list.h"

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

// Lines that are still being put in order while they are saved. Asked for `wanted` lines from the start,
// it waits until at least that many are in their final places and returns how many are; asked for all
// of them, it waits until the work on the lines is over. No value calls the save off: the model and its
// backup stay as they were, and the reason is ECANCELED's text.
using FinalLines = std::function<std::optional<std::size_t>(std::size_t wanted)>;

// How a save takes lines that are still being sorted, and tells when it is done with them. Either part
// may be left empty.
struct LineFeed {
  FinalLines finalLines;
  // Told once every line is written to the new file, on the thread that saves: from then on the save
  // reads no line, so their memory may be given back while the disk finishes.
  std::function<void()> allWritten;
};

// Writes every line followed by lineEnd to modelPath, replacing the file atomically: the lines go to a
// temporary file in the same folder, which is flushed to disk and only then renamed over the model.
// The model keeps its permissions, owner and group (an administrator's save hands the new file to the
// model's owner). With a backupPath, an existing model file is first copied there, with the model's
// owner and group (an older backup is replaced only once the new one is complete); a backupPath that
// leads to the model itself refuses the save. At every moment the old or the new model is complete on
// disk; when anything fails, the model file and any older backup stay as they were and reason says
// why. A device or a named pipe is written into instead, without a backup.
//
// A model with more than one hard link, or whose owner the new file could not be given, is written
// through in place, from the new file once it is flushed beside it and the backup is made, so that every
// name of it sees the new lines and it stays its owner's; should that write fail, the flushed copy is
// kept and named in the reason.
//
// With `loaded` (the stamp of the read the lines came from), the save is refused and nothing written
// when the file was changed or replaced since; a file gone since is saved as a new one.
//
// With feed.finalLines, lines are written to the temporary file as they become final, so that the disk
// is busy while the rest are still being sorted; a device or a named pipe is written only once all are.
SaveResult SaveModelFile(const std::string& modelPath, const std::optional<std::string>& backupPath,
                         const LineList& lines, LineEnd lineEnd = LineEnd::kCrLf,
                         const FileStamp* loaded = nullptr, const LineFeed& feed = {});

// Writes every line followed by lineEnd to an open file descriptor (standard output for the batch
// tool). Returns an empty text on success, else the reason.
std::string WriteLinesToDescriptor(int fd, const LineList& lines, LineEnd lineEnd = LineEnd::kCrLf);

}  // namespace kelvane::document
