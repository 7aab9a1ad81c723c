#include "document/folder_listing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

using Names = std::vector<std::string>;

// Folders, other kinds of model and hidden files (editor backups, lock files) are left out; a link to
// a model file is listed.
TEST(ListDatFilesTest, ListsVisibleDatFilesOfAnyCaseInOrderWithoutRegardToCase) {
  const testing::TemporaryFolder folder;
  for (const char* name : {"wall.dat", "Base.DAT", "arch.Dat", "tower.ldr", "ship.mpd", "notes.txt",
                           "car.dat.bak", "datafile", "b.dat", "B.dat", ".hidden.dat", ".DAT"})
    folder.Write(name, "0\r\n");
  std::filesystem::create_symlink(folder.File("wall.dat"), folder.File("link.dat"));
  std::filesystem::create_directory(folder.File("x.dat"));
  const FolderListing listing = ListDatFiles(folder.Path()), empty = ListDatFiles(folder.File("x.dat"));
  EXPECT_TRUE(listing.folderFound && empty.folderFound && empty.names.empty());
  EXPECT_EQ(listing.names, (Names{"arch.Dat", "B.dat", "b.dat", "Base.DAT", "link.dat", "wall.dat"}));
  EXPECT_FALSE(ListDatFiles(folder.File("gone/")).folderFound);
}

}  // namespace
}  // namespace kelvane::document
