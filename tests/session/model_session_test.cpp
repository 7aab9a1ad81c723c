#include "session/model_session.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "support/temporary_folder.h"

namespace kelvane::session {
namespace {

using testing::TemporaryFolder;
using Kind = Notice::Kind;
using Texts = std::vector<std::string>;

std::string Marks(const document::LineList& lines) {
  std::string marks;
  for (std::size_t i = 0; i < lines.Size(); ++i) marks += lines.IsChecked(i) ? '1' : '0';
  return marks;
}

TEST(ModelSession, EveryLoadStartsAfreshAndOnlyAFileThatCannotBeReadIsWorthANotice) {
  TemporaryFolder folder;
  folder.Write("a.ldr", "0 x\n1 4 0 0 0\r0 STEP\r\n\t1 5 0 0 0 \r\n");
  std::filesystem::create_directory(folder.File("dir.ldr"));
  ModelSession session;
  // The path, the state and lines it leaves, and whether a warning names the path.
  using enum ModelSession::LoadState;
  const std::tuple<std::string, ModelSession::LoadState, Texts, bool> loads[] = {
      {folder.File("a.ldr"), kLoaded, {"0 x", "1 4 0 0 0", "0 STEP", "\t1 5 0 0 0 "}, false},
      {folder.File("missing.ldr"), kNone, {}, false},
      {folder.File("dir.ldr"), kNone, {}, false},
      {"", kNone, {}, false},
      // Reading a process's own memory file from its start fails with an input/output error, for root
      // as for anyone: a file that exists and cannot be read.
      {"/proc/self/mem", kFailed, {}, true}};
  for (const auto& [path, state, lines, warned] : loads) {
    ASSERT_EQ(session.Load(folder.File("a.ldr")).kind, Kind::kNone);
    session.ToggleSelection();
    ASSERT_EQ(Marks(session.Lines()), "0101");
    const Notice notice = session.Load(path);
    EXPECT_TRUE(session.State() == state && session.Lines().Texts() == lines && session.Path() == path)
        << path;
    EXPECT_TRUE(session.Lines().CheckedCount() == 0 && session.SelectsAllNext() && !session.CanSort())
        << path;
    EXPECT_EQ(notice.kind, warned ? Kind::kWarning : Kind::kNone) << path;
    if (warned) {
      EXPECT_EQ(notice.text, "The file \"" + path + "\" could not be read: " + std::strerror(EIO) + ".");
    }
  }
}

TEST(ModelSession, MarksFollowTheCheckRuleAndTheSelectionCommandsAlternate) {
  TemporaryFolder folder;
  folder.Write("m.ldr", "1 a\n0 x\n 1 b\n2 c\n");
  ModelSession session;
  session.Load(folder.File("m.ldr"));
  // Line, mark asked for, whether it changed, the marks and whether Sort is allowed afterwards.
  const std::tuple<std::size_t, bool, bool, std::string, bool> steps[] = {
      {1, true, false, "0000", false}, {3, true, false, "0000", false}, {0, true, true, "1000", false},
      {2, true, true, "1010", true},   {2, true, false, "1010", true},  {0, false, true, "0010", false},
      {9, true, false, "0010", false}};
  for (const auto& [line, mark, changed, marks, sortable] : steps) {
    EXPECT_EQ(session.SetChecked(line, mark), changed) << line;
    EXPECT_TRUE(Marks(session.Lines()) == marks && session.CanSort() == sortable) << line;
  }
  EXPECT_EQ(session.SelectionCaption(), "Select All") << "marks set by hand leave the caption alone";
  // Select All checks every part line; Deselect All keeps line 0's mark when it is a part line.
  for (const auto& [marks, caption] :
       {std::pair{"1010", "Deselect All"}, {"1000", "Select All"}, {"1010", "Deselect All"}}) {
    session.ToggleSelection();
    EXPECT_TRUE(Marks(session.Lines()) == marks && session.SelectionCaption() == caption) << marks;
  }
  session.Load(folder.File("none.ldr"));
  session.ToggleSelection();
  EXPECT_EQ(session.SelectionCaption(), "Select All") << "an empty list keeps its caption";
}

TEST(ModelSession, SavesWithOrWithoutItsBackupOrSaysWhyNot) {
  const std::string model = "0 M\r\n1 4 0 -24 0\r\n1 1 0 0 0\r\n",
                    sorted = "0 M\r\n1 1 0 0 0\r\n1 4 0 -24 0\r\n";
  // The name, the backup box, the notice, and the model and backup afterwards.
  const std::tuple<std::string, bool, std::string, std::string, std::string> cases[] = {
      {"m.dat", false, "The file \"m.dat\" has been saved", sorted, "old"},
      {"m.dat", true, "The file \"m.dat\" has been saved", sorted, model},
      {"gone/m.dat", true,
       "The file \"gone/m.dat\" has not been saved: it could not be written in its folder (No such file or "
       "directory).",
       model, "old"}};
  for (const auto& [name, backup, told, after, backupAfter] : cases) {
    TemporaryFolder folder;
    folder.Write("m.dat", model);
    folder.Write("m.bak", "old");
    ModelSession session;
    session.Load(folder.File("m.dat"));
    session.ToggleSelection();
    session.Sort();
    const Texts lines = session.Lines().Texts();
    const Notice notice = session.Save(folder.File(name), name, backup);
    EXPECT_TRUE(notice.text == told && session.Lines().Texts() == lines) << notice.text;
    EXPECT_EQ(notice.kind, after == sorted ? Kind::kInformation : Kind::kWarning);
    EXPECT_EQ(folder.Read("m.dat") + "|" + folder.Read("m.bak"), after + "|" + backupAfter) << name;
  }
}

TEST(ModelSession, AsksBeforeOverwritingWhatAnotherProgramWroteSinceTheLoad) {
  const std::string model = "1 1 0 -8 0\r\n1 4 0 0 0\r\n", theirs = "1 2 0 -8 0\r\n1 3 0 0 0\r\n",
                    sorted = "1 4 0 0 0\r\n1 1 0 -8 0\r\n";
  // What another program does between load and save, and what the file holds after "No" and "Yes".
  const std::tuple<std::function<void(TemporaryFolder&)>, bool, std::string> cases[] = {
      {[](TemporaryFolder&) {}, false, sorted},
      {[&](TemporaryFolder& f) { f.Write("m.ldr", theirs); }, true, theirs},  // same size, same clock tick
      {[&](TemporaryFolder& f) {
         f.Write("new", theirs);
         std::filesystem::rename(f.File("new"), f.File("m.ldr"));
       },
       true, theirs},
      {[](TemporaryFolder& f) { std::filesystem::remove(f.File("m.ldr")); }, false, sorted},
  };
  for (const auto& [meanwhile, asked, afterNo] : cases) {
    TemporaryFolder folder;
    folder.Write("m.ldr", model);
    ModelSession session;
    session.Load(folder.File("m.ldr"));
    session.ToggleSelection();
    session.Sort();
    meanwhile(folder);
    const Notice notice = session.Save(folder.File("m.ldr"), "m.ldr", true);
    EXPECT_EQ(notice.kind, asked ? Kind::kQuestion : Kind::kInformation) << notice.text;
    EXPECT_EQ(folder.Read("m.ldr"), afterNo);
    if (!asked) continue;
    EXPECT_EQ(notice.text,
              "The file \"m.ldr\" was changed by another program after it was loaded. Overwrite "
              "it with the sorted lines?");
    EXPECT_EQ(session.Save(folder.File("m.ldr"), "m.ldr", true, true).kind, Kind::kInformation);
    EXPECT_TRUE(folder.Read("m.ldr") == sorted && folder.Read("m.bak") == theirs);
  }
  TemporaryFolder folder;  // a new file that another program made in the meantime
  ModelSession session;
  session.Load(folder.File("n.ldr"));
  folder.Write("n.ldr", theirs);
  EXPECT_EQ(session.Save(folder.File("n.ldr"), "n.ldr", false).kind, Kind::kQuestion);
  EXPECT_EQ(folder.Read("n.ldr"), theirs);
}

TEST(ModelSession, NeverSavesTheEmptyListOfAFileThatCouldNotBeRead) {
  ModelSession session;
  session.Load("/proc/self/mem");
  const Notice notice = session.Save("/proc/self/mem", "mem", false);
  EXPECT_EQ(notice.kind, Kind::kWarning);
  EXPECT_EQ(notice.text,
            "The file \"mem\" has not been saved: it could not be read, so the list does not hold "
            "its lines.");
}

}  // namespace
}  // namespace kelvane::session
