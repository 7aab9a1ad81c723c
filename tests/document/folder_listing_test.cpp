#include "document/folder_listing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

using Names = std::vector<std::string>;
using testing::TemporaryFolder;

TEST(ListDatFilesTest, ListsDatFilesOfAnyCaseInOrderWithoutRegardToCase) {
  TemporaryFolder folder;
  for (const char* name : {"wall.dat", "Base.DAT", "arch.Dat", "tower.ldr", "ship.mpd", "notes.txt",
                           "car.dat.bak", "datafile", "b.dat", "B.dat"}) {
    folder.Write(name, "0\r\n");
  }
  std::filesystem::create_directory(folder.File("x.dat"));
  const FolderListing listing = ListDatFiles(folder.Path());
  EXPECT_TRUE(listing.folderFound);
  EXPECT_EQ(listing.names, (Names{"arch.Dat", "B.dat", "b.dat", "Base.DAT", "wall.dat"}));
}

TEST(ListDatFilesTest, TellsAnEmptyFolderFromAMissingOne) {
  TemporaryFolder folder;
  EXPECT_TRUE(ListDatFiles(folder.Path()).folderFound);
  EXPECT_TRUE(ListDatFiles(folder.Path()).names.empty());
  EXPECT_FALSE(ListDatFiles(folder.File("gone/")).folderFound);
}

}  // namespace
}  // namespace kelvane::document
