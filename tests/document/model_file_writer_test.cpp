#include "document/model_file_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "document/model_file_reader.h"
#include "support/temporary_folder.h"

namespace kelvane::document {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryFolder;

std::size_t Entries(const TemporaryFolder& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.Path()), {}));
}

// Characters, not bytes: "è" is one character of two bytes.
TEST(BackupPathForTest, ReplacesTheLastFourCharactersOfTheNameWhateverTheyAre) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"/models/car.ldr", "/models/car.bak"}, {"MODEL.DAT", "MODEL.bak"}, {"/m/abcd", "/m/.bak"},
      {"/models.d/abc", std::nullopt},        {"", std::nullopt},         {"ab\xc3\xa8", std::nullopt},
      {"a\xc3\xa8\xc3\xa8z", ".bak"}};
  for (const auto& [path, backup] : cases) EXPECT_EQ(BackupPathFor(path), backup) << path;
}

// Lines around and beyond the 256 KiB write buffer, and beyond the first block a pipe is read in, keep
// their line ends and come back whole.
TEST(SaveModelFileTest, LinesLongerThanTheBuffersAreSavedAndReadBackWhole) {
  const TemporaryFolder folder;
  const std::string block(1 << 18, 'x');
  const std::vector<std::string> lines = {"0 a",           block + block + block, "1 b",
                                          block.substr(1), block.substr(2),       "1 c"};
  for (const LineEnd end : {LineEnd::kCrLf, LineEnd::kLf}) {
    ASSERT_TRUE(SaveModelFile(folder.File("long.dat"), std::nullopt, LineList(lines), end).saved);
    std::string expected;
    for (const std::string& line : lines) expected += line + (end == LineEnd::kLf ? "\n" : "\r\n");
    EXPECT_TRUE(folder.Read("long.dat") == expected);  // not EXPECT_EQ: a failure would print megabytes
    EXPECT_TRUE(ReadModelFile(folder.File("long.dat")).lines.Texts() == lines);
  }
}

// The backup is the file as it was just before the latest save (model.ldr shares model.dat's backup
// name). A link stays a link; the file keeps its permissions and, when an administrator saves it, its
// owner and group, which its backup gets too. Every name of a hard-linked model sees the new lines. A
// fifo is written into without a backup.
TEST(SaveModelFileSequenceTest, SavesInTurn) {
  const TemporaryFolder folder;
  folder.Write("real.dat", "loaded\n");
  folder.Write("model.ldr", "ldr\n");
  ::link(folder.File("model.ldr").c_str(), folder.File("other name.ldr").c_str());
  ::chmod(folder.File("real.dat").c_str(), 0640);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(folder.File("real.dat").c_str(), 65534, 65534), 0);
  }
  fs::create_symlink(folder.File("real.dat"), folder.File("model.dat"));
  for (const char* text : {"first", "second"})
    ASSERT_TRUE(SaveModelFile(folder.File("model.dat"), folder.File("model.bak"), LineList({text})).saved);
  EXPECT_EQ(folder.Read("model.bak") + folder.Read("real.dat"), "first\r\nsecond\r\n");
  EXPECT_TRUE(fs::is_symlink(folder.File("model.dat")));
  for (const char* name : {"real.dat", "model.bak"}) {
    struct stat info {};
    ::stat(folder.File(name).c_str(), &info);
    EXPECT_TRUE(!root || (info.st_uid == 65534 && info.st_gid == 65534)) << name;
    EXPECT_TRUE(name[0] != 'r' || (info.st_mode & 0777) == 0640);
  }
  ASSERT_TRUE(SaveModelFile(folder.File("model.ldr"), folder.File("model.bak"), LineList({"x"})).saved);
  EXPECT_EQ(folder.Read("model.bak") + folder.Read("other name.ldr"), "ldr\nx\r\n");
  ASSERT_EQ(::mkfifo(folder.File("pipe.ldr").c_str(), 0600), 0);
  const int pipe = ::open(folder.File("pipe.ldr").c_str(), O_RDWR | O_NONBLOCK);  // so that no open waits
  ASSERT_TRUE(SaveModelFile(folder.File("pipe.ldr"), folder.File("pipe.bak"), LineList({"new"})).saved);
  char received[6] = {};
  EXPECT_EQ(::read(pipe, received, 5), 5);
  EXPECT_STREQ(received, "new\r\n");
  ::close(pipe);
  EXPECT_TRUE(fs::is_fifo(folder.File("pipe.ldr")));
  EXPECT_EQ(Entries(folder), 6u);
}

// Each refusal leaves the files exactly as they were and says why. These hold for an administrator
// too, who may write anywhere the permissions alone would forbid.
TEST(SaveModelFileSequenceTest, RefusesWhatCannotBeSavedSafely) {
  const TemporaryFolder folder;
  folder.Write("locked.dat", "locked");
  ::chmod(folder.File("locked.dat").c_str(), 0444);
  fs::create_directory(folder.File("folder.dat"));
  folder.Write("own.bak", "own");
  const std::pair<std::string, const char*> refusals[] = {
      // the path, a part of the reason
      {folder.File("locked.dat"), "read-only"},
      {folder.File("folder.dat"), "folder"},
      {folder.Path(), "empty"},
      {"/proc/kelvane-model.dat", ""},  // a folder nobody may create files in
      {folder.File("own.bak"), "would be the file itself"}};
  for (const auto& [path, reasonPart] : refusals) {
    const SaveResult result = SaveModelFile(path, BackupPathFor(path), LineList({"new"}));
    EXPECT_FALSE(result.saved) << path;
    EXPECT_NE(result.reason.find(reasonPart), std::string::npos) << result.reason;
  }
  EXPECT_EQ(folder.Read("locked.dat") + folder.Read("own.bak"), "lockedown");
  EXPECT_EQ(Entries(folder), 3u);

  // Lines still being sorted are written one by one as they become final; a save called off when the
  // last one is asked for leaves the model as it was, with no backup and nothing else behind.
  folder.Write("m.dat", "old");
  for (const bool callOff : {true, false}) {
    std::vector<std::size_t> asked;
    const FinalLines oneAtATime = [&](std::size_t wanted) -> std::optional<std::size_t> {
      asked.push_back(wanted);
      if (callOff && wanted == 3) return std::nullopt;
      return wanted;
    };
    const SaveResult result = SaveModelFile(folder.File("m.dat"), folder.File("m.bak"),
                                            LineList({"a", "b", "c"}), LineEnd::kLf, nullptr, {oneAtATime});
    EXPECT_EQ(result.saved, !callOff) << result.reason;
    EXPECT_EQ(asked, (callOff ? std::vector<std::size_t>{1, 2, 3} : std::vector<std::size_t>{1, 2, 3, 3}));
    EXPECT_EQ(folder.Read("m.dat"), callOff ? "old" : "a\nb\nc\n");
    EXPECT_EQ(Entries(folder), callOff ? 4u : 5u);
  }
}

}  // namespace
}  // namespace kelvane::document
