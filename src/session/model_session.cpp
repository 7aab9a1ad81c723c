#include "session/model_session.h"

#include <sys/stat.h>

#include "document/check_rules.h"
#include "document/model_file_reader.h"
#include "document/model_file_writer.h"
#include "sorting/sort_command.h"

namespace kelvane::session {
namespace {

std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  return quoted.append(1, '"').append(text).append(1, '"');
}

Notice Tell(Notice::Kind kind, std::string text) { return Notice{kind, std::move(text)}; }

}  // namespace

Notice ModelSession::Load(const std::string& path) {
  lines_.Clear();
  selectsAllNext_ = true;
  path_ = path;
  document::ReadResult result = document::ReadModelFile(path);
  switch (result.status) {
    case document::ReadResult::Status::kLoaded:
      lines_ = std::move(result.lines);
      stamp_ = result.stamp;
      state_ = LoadState::kLoaded;
      return {};
    case document::ReadResult::Status::kNotAFile:
      state_ = LoadState::kNone;
      return {};
    case document::ReadResult::Status::kUnreadable:
      break;
  }
  state_ = LoadState::kFailed;
  return Tell(Notice::Kind::kWarning,
              "The file " + Quoted(path) + " could not be read: " + result.reason + ".");
}

bool ModelSession::SetChecked(std::size_t index, bool checked) {
  if (index >= lines_.Size()) return false;
  const bool before = lines_.IsChecked(index);
  lines_.SetChecked(index, checked);
  document::EnforceCheckRule(lines_, index);
  return lines_.IsChecked(index) != before;
}

void ModelSession::SetCheckedMany(const std::vector<std::size_t>& indices, bool checked) {
  for (const std::size_t index : indices) SetChecked(index, checked);
}

void ModelSession::ToggleSelection() {
  if (lines_.Empty()) return;
  document::ToggleSelection(lines_, SelectionCaption());
  selectsAllNext_ = !selectsAllNext_;
}

std::string_view ModelSession::SelectionCaption() const {
  return selectsAllNext_ ? document::kSelectAllCaption : document::kDeselectAllCaption;
}

bool ModelSession::ChangedOnDisk(const std::string& path) const {
  if (path != path_) return false;
  if (state_ == LoadState::kLoaded) {
    const document::DiskState disk = document::CompareWithDisk(path, stamp_);
    return disk == document::DiskState::kChanged || disk == document::DiskState::kReplaced;
  }
  // Nothing was there when the load looked: a file there now is another program's.
  struct stat info {};
  return state_ == LoadState::kNone && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ModelSession::CanSort() const { return document::SortAllowed(lines_); }

std::size_t ModelSession::Sort() {
  if (!CanSort()) return 0;
  return sorting::SortCheckedLines(lines_, options_);
}

Notice ModelSession::Save(const std::string& path, std::string_view name, bool backup,
                          bool overwriteChanged) {
  if (state_ == LoadState::kFailed && path == path_) {
    return Tell(Notice::Kind::kWarning, "The file " + Quoted(name) +
                                            " has not been saved: it could not be read, so the list does not "
                                            "hold its lines.");
  }
  if (!overwriteChanged && ChangedOnDisk(path)) {
    return Tell(Notice::Kind::kQuestion,
                "The file " + Quoted(name) +
                    " was changed by another program after it was loaded. Overwrite it "
                    "with the sorted lines?");
  }
  const std::optional<std::string> backupPath = backup ? document::BackupPathFor(path) : std::nullopt;
  // Without the user's word to overwrite, the stamp makes the save itself refuse a change that comes
  // in between this check and the write.
  const bool ours = state_ == LoadState::kLoaded && path == path_;
  const document::FileStamp* loaded = ours && !overwriteChanged ? &stamp_ : nullptr;
  const document::SaveResult result =
      document::SaveModelFile(path, backupPath, lines_, document::LineEnd::kCrLf, loaded);
  if (!result.saved) {
    return Tell(Notice::Kind::kWarning,
                "The file " + Quoted(name) + " has not been saved: " + result.reason + ".");
  }
  return Tell(Notice::Kind::kInformation, "The file " + Quoted(name) + " has been saved");
}

}  // namespace kelvane::session
