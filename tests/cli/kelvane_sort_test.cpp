// kelvane-sort as a user runs it: its exit status, its messages and the files it leaves behind.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <tuple>

#include "document/model_file_reader.h"
#include "kelvane/version.h"
#include "sorting/sort_command.h"
#include "support/temporary_folder.h"

namespace kelvane::cli {
namespace {

using namespace std::string_literals;
using std::string;
using Args = std::vector<string>;

struct Result {
  int status = -1;  // -1 when the program did not exit normally
  string out, err;
};

// Two steps of three parts. With the default options (largest y first, then largest z, then smallest
// x) each step comes out reversed: C B A, then F E D.
const std::map<char, string> kPart = {
    {'A', "1 4 20 -8 0 1 0 0 0 1 0 0 0 1 3005.dat"},    {'B', "1 1 -20 -8 10 1 0 0 0 1 0 0 0 1 3001.dat"},
    {'C', "1 15 0 0 10 1 0 0 0 1 0 0 0 1 3003.dat"},    {'D', "1 2 10 -24 0 1 0 0 0 1 0 0 0 1 3024.dat"},
    {'E', "1 0 -10 -24 5 1 0 0 0 1 0 0 0 1 3070b.dat"}, {'F', "1 7 30 8 5 1 0 0 0 1 0 0 0 1 3010.dat"},
};

// The model with the parts of each step in the order given, every line ended by `end`.
string Model(std::string_view first, std::string_view second, std::string_view end = "\r\n") {
  string text = string("0 Name: m.ldr").append(end);
  for (const char part : first) text.append(kPart.at(part)).append(end);
  text.append("0 STEP").append(end);
  for (const char part : second) text.append(kPart.at(part)).append(end);
  return text;
}
const string kInput = Model("ABC", "DEF", "\n"), kSorted = Model("CBA", "FED");

// 240,000 lines, STEP every 50 parts: about 10 MB.
string LargeModel() {
  string model;
  for (int i = 0; i < 240'000; ++i) {
    const auto n = [&](int f, int m, int s) { return string(" ").append(std::to_string(i * f % m * s)); };
    model += i % 51 == 50 ? string("0 STEP\n")
                          : string("1") + n(1, 16, 1) + n(7, 40, 20) + n(13, 30, -8) + n(17, 40, 20) +
                                " 1 0 0 0 1 0 0 0 1" + n(1, 50, 1) + ".dat\n";
  }
  return model;
}

Args Split(const string& words) {
  std::istringstream in(words);
  return {std::istream_iterator<string>(in), {}};
}

class KelvaneSort : public ::testing::Test {
 protected:
  Result Sort(Args args, bool nobody = false, const string& outPath = "",
              const std::function<void(pid_t)>& whileRunning = {}, rlim_t addressSpace = 0) const;
  static void Expect(const Result& result, int status, const string& err = "", const string& out = "") {
    EXPECT_EQ(std::tie(result.status, result.err, result.out), std::tie(status, err, out));
  }
  std::size_t Entries(const string& folder = "") const {
    const std::filesystem::directory_iterator entries(dir_.File(folder));
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
  }
  kelvane::testing::TemporaryFolder dir_;
};

// Runs the built program in the test's folder; as uid/gid 65534 when `nobody` and the tests run as root,
// so that file permissions bind it. `outPath` is opened for its standard output instead of catching it.
// `whileRunning` is called with the running program's id; `addressSpace` limits its memory.
Result KelvaneSort::Sort(Args args, bool nobody, const string& outPath,
                         const std::function<void(pid_t)>& whileRunning, rlim_t addressSpace) const {
  const kelvane::testing::TemporaryFolder capture;
  const string out = outPath.empty() ? capture.File("out") : outPath, err = capture.File("err");
  const int program = ::open(KELVANE_SORT_BINARY, O_RDONLY | O_CLOEXEC);
  const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  args.insert(args.begin(), "kelvane-sort");
  std::vector<char*> argv;
  for (string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const rlimit limit{addressSpace, addressSpace};
  const pid_t child = program < 0 || outFd < 0 || errFd < 0 ? -1 : ::fork();
  if (child == 0) {  // only async-signal-safe calls from here on
    if (::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0 || ::chdir(dir_.Path().c_str()) != 0 ||
        (addressSpace != 0 && ::setrlimit(RLIMIT_AS, &limit) != 0) ||
        (nobody && ::geteuid() == 0 &&
         (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)))
      ::_exit(126);
    ::fexecve(program, argv.data(), environ);  // by descriptor: the build folder need not be open to all
    ::_exit(127);
  }
  for (const int fd : {program, outFd, errFd}) ::close(fd);
  if (child < 0) return {-1, "", "cannot start " KELVANE_SORT_BINARY};
  if (whileRunning) whileRunning(child);
  int status = 0;
  ::waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
          outPath.empty() ? kelvane::testing::ReadFileBytes(out) : "", kelvane::testing::ReadFileBytes(err)};
}

TEST_F(KelvaneSort, OptionsSortTheModelAsAsked) {
  using O = std::pair<const char*, std::string_view>;  // the options, and the parts of each step after them
  for (const auto& [options, parts] :
       {O{"", "CBA FED"}, O{"--by Coordinates --order yzx --steps --x=ascending", "CBA FED"},
        O{"--no-steps", "FCB AED"},  // F, highest of all, moves into the first step; the STEP line stays
        O{"--no-steps --steps", "CBA FED"}, O{"--y ascending", "BAC EDF"}, O{"--z=ascending", "CAB FDE"},
        O{"--order xyz", "BCA EDF"}, O{"--order=XZY --x descending", "ACB FDE"}, O{"--by part", "BCA FDE"},
        O{"--by part --part DESCENDING", "ACB EDF"}, O{"--by part --by=color", "BAC EDF"},
        O{"--by color --color descending", "CAB FDE"},
        // Numbers past the last line count for nothing; lines 1 and 5 are no part lines, 7 is alone.
        O{"--lines 2-3,9", "BAC DEF"}, O{"--lines=3 --lines 2", "BAC DEF"}, O{"--lines 1,5,7", "ABC DEF"},
        O{"--lines 007-008", "ABC DFE"}, O{"--lines 3-99999999999999999999999", "ACB FED"}}) {
    dir_.Write("m.ldr", kInput);
    Expect(Sort(Split(string(options) + " m.ldr")), 0);
    EXPECT_EQ(dir_.Read("m.ldr"), Model(parts.substr(0, 3), parts.substr(4))) << options;
  }
}

TEST_F(KelvaneSort, EachFileIsSortedOnceAndKeepsItsOldSelfAsBackupUnlessToldNot) {
  const string low = "1 4 0 1 0 1 0 0 0 1 0\0 0 0 1 caf\xc3\xa9.dat  "s,
               high = "1 4 0 9 0 1 0 0 0 1 0 0 0 1 \xe9t.dat";
  // A part line may be led by blanks; a line of another type is none, however high it stands.
  const string lead = " 1 4 0 99 0 1 0 0 0 1 0 0 0 1 x.dat", others = "0 \x80\xff\t \0"s,
               line2 = "2 24 0 99 0 1 1 1";
  const string bytes = low + "\n" + high + "\r" + others + "\r\n" + lead + "\r\n" + line2;
  for (const char* name : {"a.ldr", "-", "-c.mpd", "n.ldr"}) dir_.Write(name, kInput);
  dir_.Write("b.dat", bytes);
  dir_.Write("e.ldr", "");
  dir_.Write("n.bak", "older");
  std::filesystem::create_symlink(dir_.File("a.ldr"), dir_.File("link.ldr"));
  // A file named three ways is sorted once, so its backup holds it as it was; "-" is too short a
  // name for a backup.
  Expect(Sort({"a.ldr", dir_.Path() + "./a.ldr", "link.ldr", "b.dat", "-", "e.ldr", "--", "-c.mpd"}), 0);
  dir_.Write("own.bak", kInput);  // its own backup name: it can be sorted only without a backup
  Expect(Sort({"n.ldr", "own.bak", "--no-backup"}), 0);
  for (const char* name : {"a.ldr", "-", "-c.mpd", "n.ldr", "own.bak"})
    EXPECT_EQ(dir_.Read(name), kSorted) << name;
  EXPECT_EQ(dir_.Read("b.dat"),
            lead + "\r\n" + high + "\r\n" + others + "\r\n" + low + "\r\n" + line2 + "\r\n");
  EXPECT_EQ(dir_.Read("e.ldr") + dir_.Read("e.bak"), "");
  for (const char* name : {"a.bak", "-c.bak"}) EXPECT_EQ(dir_.Read(name), kInput) << name;
  EXPECT_EQ(dir_.Read("b.bak"), bytes);
  EXPECT_EQ(dir_.Read("n.bak"), "older");
  EXPECT_TRUE(std::filesystem::is_symlink(dir_.File("link.ldr")));
  EXPECT_EQ(Entries(), 13u);
}

TEST_F(KelvaneSort, AnOutputElsewhereIsWrittenIntoAndTheModelKeptWithoutBackup) {
  dir_.Write("m.ldr", kInput);
  ASSERT_EQ(::mkfifo(dir_.File("pipe").c_str(), 0600), 0);
  // Held open both ways, the pipe never blocks the program's open; the result fits into its buffer.
  const int pipe = ::open(dir_.File("pipe").c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(pipe, 0);
  Expect(Sort({"-osorted.ldr", "--backup", "m.ldr"}), 0);
  Expect(Sort({"-o", "pipe", "m.ldr"}), 0);
  Expect(Sort({"m.ldr", "--output", "-"}), 0, "", kSorted);
  char received[4096];
  EXPECT_EQ(string(received, static_cast<std::size_t>(std::max<ssize_t>(::read(pipe, received, 4096), 0))),
            kSorted);
  ::close(pipe);
  struct stat info {};
  EXPECT_TRUE(::stat(dir_.File("pipe").c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
  Expect(Sort({"-o", "no/f.ldr", "m.ldr"}), 1,
         "kelvane-sort: no/f.ldr: not saved: it could not be written in its folder (No such file or "
         "directory)\n");
  Expect(Sort({"-o", "-", "m.ldr"}, false, "/dev/full"), 1,
         "kelvane-sort: standard output: No space left on device\n");
  EXPECT_EQ(dir_.Read("sorted.ldr"), kSorted);
  EXPECT_EQ(dir_.Read("m.ldr"), kInput);
  EXPECT_EQ(Entries(), 3u);
}

TEST_F(KelvaneSort, AUsageErrorExitsWithTwoOnOneLineAndAHintAndWritesNothing) {
  for (const char* name : {"m.ldr", "n.ldr"}) dir_.Write(name, kInput);
  const auto check = [&](const Args& args, const string& part) {  // `part`: what the message must name
    const Result result = Sort(args);
    const string first = result.err.substr(0, result.err.find('\n'));
    EXPECT_EQ(result.status, 2) << first;
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(first.starts_with("kelvane-sort: ") && first.find(part) != string::npos)
        << first << ": " << part;
    EXPECT_EQ(result.err, first + "\nTry 'kelvane-sort --help' for more information.\n");
  };
  using U = std::pair<Args, string>;
  for (const auto& [args, part] :
       {U{{}, "no FILE"}, U{{"--no-steps"}, "no FILE"}, U{{"--"}, "no FILE"},
        U{{"--sort", "m.ldr"}, "'--sort'"}, U{{"-x", "m.ldr"}, "'-x'"},
        U{{"--By", "part", "m.ldr"}, "'--By'"}, U{{"--bogus", "--help"}, "'--bogus'"},
        U{{"m.ldr", "--by"}, "'--by' needs a value"}, U{{"m.ldr", "-o"}, "'-o' needs a value"},
        U{{"--steps=yes", "m.ldr"}, "'--steps' takes no value"},
        U{{"--no-backup=1", "m.ldr"}, "takes no value"}, U{{"--help=now"}, "'--help' takes no value"},
        U{{"-o", "", "m.ldr"}, "empty output"},
        U{{"-o", "a.ldr", "--output", "b.ldr", "m.ldr"}, "more than one output"},
        U{{"-o", "-", "-o", "-", "m.ldr"}, "more than one output"},
        U{{"-o", "o.ldr", "m.ldr", "n.ldr"}, "single FILE"},
        U{{"-o", "-", "m.ldr", "n.ldr", "m.ldr"}, "not 3"},
        U{{"--lines", "2", "--lines", "0", "m.ldr"}, "'0' for --lines"}}) {
    check(args, part);
  }
  for (const string bad : {"--by=", "--by=colour", "--order=xxy", "--order=xy", "--order=xyzx", "--order=210",
                           "--x=up", "--y=", "--z=asc", "--part=1", "--color=descending "}) {
    const std::size_t equals = bad.find('=');
    check({bad, "m.ldr"}, string("'") + bad.substr(equals + 1) + "' for " + bad.substr(0, equals));
  }
  for (const string lines :
       {"", "0", "0-3", "5-3", "1,,2", ",1", "1,", "x", "1x", "1-", "-3", "1--3", "1-2-3", " 1", "1 ", "1, 2",
        "+1", "1.5", "\xd9\xa3"}) {  // the last an Arabic-Indic three
    check({"--lines", lines, "m.ldr"}, string("'") + lines + "' for --lines");
  }
  for (const char* name : {"m.ldr", "n.ldr"}) EXPECT_EQ(dir_.Read(name), kInput);
  EXPECT_EQ(Entries(), 2u);
}

TEST_F(KelvaneSort, HelpAndVersionAnswerWhereverTheyStandBeforeADoubleDash) {
  const Result help = Sort({"m.ldr", "--help", "--bogus"});
  Expect(help, 0, "", help.out);
  EXPECT_TRUE(help.out.starts_with("Usage: kelvane-sort [OPTIONS] FILE...\n")) << help.out;
  for (const char* option :
       {"--by", "--order", "--x", "--y", "--z", "--part", "--color", "--steps", "--no-steps", "--lines",
        "--backup", "--no-backup", "-o, --output", "-h, --help", "--version"})
    EXPECT_NE(help.out.find(option), string::npos) << option;
  EXPECT_EQ(Sort({"-h"}).out, help.out);
  Expect(Sort({"--version", "--help"}), 0, "", string("kelvane-sort ") + kVersionText + "\n");
  EXPECT_EQ(Sort({"--", "--help"}).err, "kelvane-sort: --help: No such file or directory\n");
}

TEST_F(KelvaneSort, FilesThatFailAreNamedWithTheReasonLoseNothingAndTheOthersAreStillSorted) {
  for (const char* f : {"locked", "d.ldr", "b.bak/inside"}) std::filesystem::create_directories(dir_.File(f));
  for (const char* name : {"a.ldr", "b.ldr", "c.ldr", "secret.ldr", "locked/m.ldr", "m.bak"}) {
    dir_.Write(name, kInput);
  }
  dir_.Write("locked/m.bak", "older");
  for (const char* f : {"", "a.ldr", "b.ldr", "c.ldr", "locked/m.ldr", "m.bak"})
    ::chmod(dir_.File(f).c_str(), 0777);
  ::chmod(dir_.File("secret.ldr").c_str(), 0600);
  ::chmod(dir_.File("locked").c_str(), 0555);
  const Result result = Sort({"a.ldr", "missing.ldr", "no/m.ldr", "d.ldr", "", "/proc/self/mem", "b.ldr",
                              "secret.ldr", "locked/m.ldr", "m.bak", "c.ldr"},
                             true);
  Expect(
      result, 1,
      "kelvane-sort: missing.ldr: No such file or directory\n"
      "kelvane-sort: no/m.ldr: No such file or directory\n"
      "kelvane-sort: d.ldr: Is a directory\n"
      "kelvane-sort: : No such file or directory\n"
      "kelvane-sort: /proc/self/mem: Input/output error\n"  // opens, then fails to read, even for root
      "kelvane-sort: b.ldr: not saved: the backup \"b.bak\" could not be made (Is a directory)\n"
      "kelvane-sort: secret.ldr: Permission denied\n"
      "kelvane-sort: locked/m.ldr: not saved: it could not be written in its folder (Permission denied)\n"
      "kelvane-sort: m.bak: not saved: its backup \"m.bak\" would be the file itself; it can be saved only "
      "without a backup\n");
  for (const char* name : {"a.ldr", "c.ldr"}) EXPECT_EQ(dir_.Read(name), kSorted) << name;
  for (const char* name : {"b.ldr", "secret.ldr", "locked/m.ldr", "m.bak"}) {
    EXPECT_EQ(dir_.Read(name), kInput) << name;
  }
  EXPECT_EQ(dir_.Read("locked/m.bak"), "older");
  EXPECT_EQ(Entries() + Entries("locked"), 12u);  // no temporary file left behind
}

// Large enough for the program to prepare its heap for a big model, which must not change a byte.
TEST_F(KelvaneSort, ALargeModelComesOutAsTheEngineSortsIt) {
  const string model = LargeModel();
  ASSERT_GT(model.size(), 9u << 20);
  dir_.Write("big.ldr", model);
  document::LineList expected(document::ReadModelFile(dir_.File("big.ldr")).lines);
  for (std::size_t i = 0; i < expected.Size(); ++i) expected.SetChecked(i, expected.Text(i)[0] == '1');
  ASSERT_TRUE(sorting::SortCheckedLines(expected, {.betweenSteps = false}));
  string expectedBytes;
  for (const string& line : expected.Texts()) expectedBytes.append(line).append("\r\n");
  const Result result = Sort({"--no-steps", "-o", "-", "big.ldr"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.out == expectedBytes);  // not EXPECT_EQ: a failure would print 10 MB twice
}

// Anything but a regular file is refused at once, for root as for anyone: a fifo nobody writes into
// does not hold the run up, and a device that never ends is not read.
TEST_F(KelvaneSort, NamesOfNoRegularFileAreRefusedAtOnce) {
  ::chmod(dir_.Path().c_str(), 0777);
  ASSERT_EQ(::mkfifo(dir_.File("pipe.ldr").c_str(), 0666), 0);
  std::filesystem::create_symlink("/dev/zero", dir_.File("zero.ldr"));
  for (const bool nobody : {false, true}) {
    dir_.Write("m.ldr", kInput);
    ::chmod(dir_.File("m.ldr").c_str(), 0666);
    const auto start = std::chrono::steady_clock::now();
    Expect(Sort({"pipe.ldr", "zero.ldr", "/dev/null", "m.ldr", "--no-backup"}, nobody), 1,
           "kelvane-sort: pipe.ldr: not a regular file\nkelvane-sort: zero.ldr: not a regular file\n"
           "kelvane-sort: /dev/null: not a regular file\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(dir_.Read("m.ldr"), kSorted) << nobody;
  }
  EXPECT_EQ(Entries(), 3u);
}

// Another program's change between the read and the write is not overwritten: that file fails and
// keeps the other program's bytes, and no backup is made. A file removed meanwhile is written anew.
TEST_F(KelvaneSort, AFileChangedWhileItIsSortedIsLeftAsTheOtherProgramMadeIt) {
  const string big = LargeModel(), changed =
                                       "kelvane-sort: big.ldr: not saved: it was changed by another program "
                                       "after it was read\n";
  string sameSize = big;
  std::swap(sameSize[100], sameSize[101]);
  const string path = dir_.File("big.ldr");
  const auto keepTime = [&](const string& bytes) {
    struct stat before {};
    ::stat(path.c_str(), &before);
    dir_.Write("big.ldr", bytes);
    const timespec times[] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  };
  const struct {
    const char* what;
    std::function<void()> change;
    string err, after;  // after: the file's bytes; "" for the sorted model
  } cases[] = {
      {"appended", [&] { dir_.Write("big.ldr", big + "0 more\n"); }, changed, big + "0 more\n"},
      {"same size and time", [&] { keepTime(sameSize); }, changed, sameSize},
      {"replaced",
       [&] {
         dir_.Write("new", "1 other\n");
         std::rename(dir_.File("new").c_str(), path.c_str());
       },
       "kelvane-sort: big.ldr: not saved: another file took its place after it was read\n", "1 other\n"},
      {"removed", [&] { std::remove(path.c_str()); }, "", ""},
  };
  for (const auto& c : cases) {
    dir_.Write("big.ldr", big);
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, path.c_str(), IN_CLOSE_NOWRITE), 0);
    const Result result = Sort({"big.ldr"}, false, "", [&](pid_t child) {
      // Held still from the moment it has read the file, so that the change comes before its write.
      alignas(inotify_event) char event[sizeof(inotify_event) + NAME_MAX + 1];
      if (::read(watch, event, sizeof event) > 0) ::kill(child, SIGSTOP);
      c.change();
      ::kill(child, SIGCONT);
    });
    ::close(watch);
    Expect(result, c.err.empty() ? 0 : 1, c.err);
    const string after = dir_.Read("big.ldr");
    if (c.after.empty()) {
      EXPECT_EQ(after.size(), big.size() + std::count(big.begin(), big.end(), '\n')) << c.what;  // CR LF
    } else {
      EXPECT_TRUE(after == c.after) << c.what;
    }
    EXPECT_EQ(Entries(), 1u) << c.what;
  }
}

// A model too large for the memory given fails alone, with a message, and the files after it are sorted.
TEST_F(KelvaneSort, AModelThatDoesNotFitIntoMemoryFailsAloneAndTheRunGoesOn) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
  const string big = LargeModel();
  for (const char* name : {"a.ldr", "z.ldr"}) dir_.Write(name, kInput);
  dir_.Write("big.ldr", big);
  const Result result = Sort({"--no-backup", "a.ldr", "big.ldr", "z.ldr"}, false, "", {}, 24u << 20);
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(result.err.starts_with("kelvane-sort: big.ldr: there is not enough memory to ")) << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  for (const char* name : {"a.ldr", "z.ldr"}) EXPECT_EQ(dir_.Read(name), kSorted) << name;
  EXPECT_TRUE(dir_.Read("big.ldr") == big);
  EXPECT_EQ(Entries(), 3u);
}

// An administrator's run leaves a user's model and its backup that user's; a model with two names is
// sorted under both.
TEST_F(KelvaneSort, ModelsKeepTheirOwnerAndEveryName) {
  if (::geteuid() != 0) GTEST_SKIP() << "only an administrator can give files to another user";
  ::chmod(dir_.Path().c_str(), 0777);
  for (const char* name : {"m.ldr", "h.ldr"}) {
    dir_.Write(name, kInput);
    ASSERT_EQ(::chown(dir_.File(name).c_str(), 65534, 65534), 0);
  }
  ASSERT_EQ(::link(dir_.File("h.ldr").c_str(), dir_.File("h2.ldr").c_str()), 0);
  Expect(Sort({"m.ldr"}), 0);
  Expect(Sort({"h.ldr"}, true), 0);
  for (const char* name : {"m.ldr", "m.bak", "h.ldr", "h.bak"}) {
    struct stat info {};
    ::stat(dir_.File(name).c_str(), &info);
    EXPECT_EQ(std::pair(info.st_uid, info.st_gid), std::pair(65534u, 65534u)) << name;
  }
  for (const char* name : {"m.ldr", "h.ldr", "h2.ldr"}) EXPECT_EQ(dir_.Read(name), kSorted) << name;
  for (const char* name : {"m.bak", "h.bak"}) EXPECT_EQ(dir_.Read(name), kInput) << name;
  EXPECT_EQ(Entries(), 5u);
}

}  // namespace
}  // namespace kelvane::cli
