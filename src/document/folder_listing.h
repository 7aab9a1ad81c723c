#pragma once

#include <string>
#include <vector>

namespace kelvane::document {

struct FolderListing {
  bool folderFound = false;  // false when the folder does not exist or cannot be opened
  std::vector<std::string> names;
};

// The names (without folder) of the regular files in `folder` whose names end in ".dat" in any letter
// case, in ascending order without regard to case (names equal but for case in byte order). Folders
// are never listed, not even one called "x.dat"; ".ldr" and ".mpd" files are not listed either, nor
// hidden files (names beginning with "."). An empty folder text means the current folder.
FolderListing ListDatFiles(const std::string& folder);

// Name order of the listing: ASCII letters compared without regard to case.
bool NameLessIgnoringCase(const std::string& a, const std::string& b);

}  // namespace kelvane::document
