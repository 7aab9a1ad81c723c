#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/file_stamp.h"
#include "document/line_list.h"
#include "sorting/sort_options.h"

namespace kelvane::session {

// What the user is to be told after a command; texts are bytes as the file system has them (names)
// and as the system reports errors, for the view to decode.
struct Notice {
  enum class Kind {
    kNone,         // nothing to say
    kInformation,  // a plain message
    kWarning,      // something went wrong or was refused; nothing was lost
    kQuestion,     // a Yes/No question whose "No" (the default) changes nothing
  };
  Kind kind = Kind::kNone;
  std::string text;
};

// The open model and its commands, as the window drives them: loading a file, check marks under the
// check rule, "Select All" / "Deselect All", sorting with the chosen options and saving. It knows
// nothing of widgets; the window shows its state and its notices.
class ModelSession {
 public:
  enum class LoadState {
    kNone,    // nothing loaded: no file of that name (a name being typed, a new file)
    kLoaded,  // the lines are the file's
    kFailed,  // the file is there but could not be read: the empty list is not its content
  };

  // Loads the model file at `path`. Every load starts afresh: no line checked and "Select All" the
  // next selection command, also when the load fails. Only a file that exists and cannot be read is
  // worth a notice; a name that is not a file is the normal state while a name is typed.
  Notice Load(const std::string& path);

  const document::LineList& Lines() const { return lines_; }
  LoadState State() const { return state_; }
  const std::string& Path() const { return path_; }

  // Sets or clears the mark of one line; a mark on a line that is not a part line does not stay.
  // Returns whether the line's mark changed.
  bool SetChecked(std::size_t index, bool checked);

  // Sets or clears the marks of several lines at once, each under the check rule.
  void SetCheckedMany(const std::vector<std::size_t>& indices, bool checked);

  // "Select All" checks every part line; "Deselect All" clears every mark but keeps line 0's when
  // it is a part line. The two alternate, and the caption names the next one.
  void ToggleSelection();
  bool SelectsAllNext() const { return selectsAllNext_; }
  std::string_view SelectionCaption() const;

  // Sorting needs two checked lines.
  bool CanSort() const;
  const sorting::SortOptions& SortOptions() const { return options_; }
  void SetSortOptions(const sorting::SortOptions& options) { options_ = options; }
  // Sorts the checked lines with the current options; returns how many of them moved.
  std::size_t Sort();

  // Saves the lines over `path` (which shows as `name` in notices), first keeping the old file under
  // its backup name when `backup` is set. The lines of a file that could not be read are never
  // written: they are not its content. A file that another program changed or put in place since
  // it was loaded is overwritten only with `overwriteChanged`; without it the answer is a question.
  // A file gone since it was loaded is saved anew.
  Notice Save(const std::string& path, std::string_view name, bool backup, bool overwriteChanged = false);

 private:
  // Whether another program wrote the file at `path` since it was loaded, or put one in its place.
  bool ChangedOnDisk(const std::string& path) const;

  document::LineList lines_;
  LoadState state_ = LoadState::kNone;
  std::string path_;
  document::FileStamp stamp_;  // of the file the lines came from, while state_ is kLoaded
  bool selectsAllNext_ = true;
  sorting::SortOptions options_;
};

}  // namespace kelvane::session
