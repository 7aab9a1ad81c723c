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

// What refusing a FILE for its name prints.
string Refusal(const string& name) {
  return "kelvane-sort: " + name +
         ": not an LDraw model file name (.dat, .ldr, .mpd); use --any-name to sort it anyway\n";
}

class KelvaneSort : public ::testing::Test {
 protected:
  Result Sort(Args args, const string& inPath = "/dev/null", bool nobody = false, const string& outPath = "",
              const std::function<void(pid_t)>& whileRunning = {}, rlim_t addressSpace = 0) const;
  // A file holding `bytes`, outside the test's folder, for the program's standard input.
  string Input(const string& bytes) const {
    input_.Write("in", bytes);
    return input_.File("in");
  }
  static void Expect(const Result& result, int status, const string& err = "", const string& out = "") {
    EXPECT_EQ(std::tie(result.status, result.err, result.out), std::tie(status, err, out));
  }
  std::size_t Entries(const string& folder = "") const {
    const std::filesystem::directory_iterator entries(dir_.File(folder));
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
  }
  kelvane::testing::TemporaryFolder dir_, input_;
};

// Runs the built program in the test's folder with `inPath` as its standard input; as uid/gid 65534 when
// `nobody` and the tests run as root, so that file permissions bind it. `outPath` is opened for its
// standard output instead of catching it. `whileRunning` is called with the running program's id;
// `addressSpace` limits its memory.
Result KelvaneSort::Sort(Args args, const string& inPath, bool nobody, const string& outPath,
                         const std::function<void(pid_t)>& whileRunning, rlim_t addressSpace) const {
  const kelvane::testing::TemporaryFolder capture;
  const string out = outPath.empty() ? capture.File("out") : outPath, err = capture.File("err");
  const int program = ::open(KELVANE_SORT_BINARY, O_RDONLY | O_CLOEXEC);
  const int inFd = ::open(inPath.c_str(), O_RDONLY | O_CLOEXEC);
  const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  args.insert(args.begin(), "kelvane-sort");
  std::vector<char*> argv;
  for (string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const rlimit limit{addressSpace, addressSpace};
  const pid_t child = program < 0 || inFd < 0 || outFd < 0 || errFd < 0 ? -1 : ::fork();
  if (child == 0) {  // only async-signal-safe calls from here on
    if (::dup2(inFd, 0) < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0 ||
        ::chdir(dir_.Path().c_str()) != 0 || (addressSpace != 0 && ::setrlimit(RLIMIT_AS, &limit) != 0) ||
        (nobody && ::geteuid() == 0 &&
         (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)))
      ::_exit(126);
    ::fexecve(program, argv.data(), environ);  // by descriptor: the build folder need not be open to all
    ::_exit(127);
  }
  for (const int fd : {program, inFd, outFd, errFd}) ::close(fd);
  if (child < 0) return {-1, "", "cannot start " KELVANE_SORT_BINARY};
  if (whileRunning) whileRunning(child);
  int status = 0;
  ::waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
          outPath.empty() ? kelvane::testing::ReadFileBytes(out) : "", kelvane::testing::ReadFileBytes(err)};
}

TEST_F(KelvaneSort, OptionsSortTheModelAsAsked) {
  struct O {
    const char* options;
    std::string_view parts;  // of each step after the run
    const char* end = "\r\n";
    string err = "";
  };
  for (const auto& [options, parts, end, err] :
       {O{"", "CBA FED"}, O{"--by Coordinates --order yzx --steps --x=ascending", "CBA FED"},
        O{"--no-steps -v", "FCB AED", "\r\n", "m.ldr: 5 part lines moved\n"},  // F moves into the first step
        O{"--no-steps --steps", "CBA FED"}, O{"--y ascending", "BAC EDF"}, O{"--z=ascending", "CAB FDE"},
        O{"--order xyz", "BCA EDF"}, O{"--order=XZY --x descending", "ACB FDE"}, O{"--by part", "BCA FDE"},
        O{"--by part --part DESCENDING", "ACB EDF"}, O{"--by part --by=color", "BAC EDF"},
        O{"--by color --color descending", "CAB FDE"}, O{"--eol lf", "CBA FED", "\n"},
        O{"--eol=LF --verbose --eol crlf", "CBA FED", "\r\n", "m.ldr: 4 part lines moved\n"},
        // Numbers past the last line count for nothing; lines 1 and 5 are no part lines, 7 is alone.
        O{"--lines 2-3,9", "BAC DEF"}, O{"--lines=3 --lines 2", "BAC DEF"},
        O{"--lines 1,5,7 -v", "ABC DEF", "\n", "m.ldr: unchanged\n"},  // not rewritten: LF stays
        O{"--lines 007-008", "ABC DFE"}, O{"--lines 3-99999999999999999999999", "ACB FED"}}) {
    dir_.Write("m.ldr", kInput);
    Expect(Sort(Split(string(options) + " m.ldr")), 0, err);
    EXPECT_EQ(dir_.Read("m.ldr"), Model(parts.substr(0, 3), parts.substr(4), end)) << options;
  }
}

TEST_F(KelvaneSort, EachFileIsSortedOnceAndKeepsItsOldSelfAsBackupUnlessToldNot) {
  const string low = "1 4 0 1 0 1 0 0 0 1 0\0 0 0 1 caf\xc3\xa9.dat  "s,
               high = "1 4 0 9 0 1 0 0 0 1 0 0 0 1 \xe9t.dat";
  // A part line may be led by blanks; a line of another type is none, however high it stands.
  const string lead = " 1 4 0 99 0 1 0 0 0 1 0 0 0 1 x.dat", others = "0 \x80\xff\t \0"s,
               line2 = "2 24 0 99 0 1 1 1";
  const string bytes = low + "\n" + high + "\r" + others + "\r\n" + lead + "\r\n" + line2;
  for (const char* name : {"a.ldr", "-c.mpd", "n.ldr"}) dir_.Write(name, kInput);
  dir_.Write("b.dat", bytes);
  dir_.Write("n.bak", "older");
  std::filesystem::create_symlink(dir_.File("a.ldr"), dir_.File("link.ldr"));
  // A file named three ways is sorted once, so its backup holds it as it was.
  Expect(Sort({"a.ldr", dir_.Path() + "./a.ldr", "link.ldr", "b.dat", "--", "-c.mpd"}), 0);
  dir_.Write("own.bak", kInput);  // its own backup name: it can be sorted only without a backup
  Expect(Sort({"n.ldr", "own.bak", "--any-name", "--no-backup"}), 0);
  for (const char* name : {"a.ldr", "-c.mpd", "n.ldr", "own.bak"}) EXPECT_EQ(dir_.Read(name), kSorted) << name;
  EXPECT_EQ(dir_.Read("b.dat"),
            lead + "\r\n" + high + "\r\n" + others + "\r\n" + low + "\r\n" + line2 + "\r\n");
  for (const char* name : {"a.bak", "-c.bak"}) EXPECT_EQ(dir_.Read(name), kInput) << name;
  EXPECT_EQ(dir_.Read("b.bak"), bytes);
  EXPECT_EQ(dir_.Read("n.bak"), "older");
  EXPECT_TRUE(std::filesystem::is_symlink(dir_.File("link.ldr")));
  EXPECT_EQ(Entries(), 10u);
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
  Expect(Sort({"-o", "-", "m.ldr"}, "/dev/null", false, "/dev/full"), 1,
         "kelvane-sort: standard output: No space left on device\n");
  EXPECT_EQ(dir_.Read("sorted.ldr"), kSorted);
  EXPECT_EQ(dir_.Read("m.ldr"), kInput);
  EXPECT_EQ(Entries(), 3u);
}

TEST_F(KelvaneSort, StandardInputIsWrittenToStandardOutputOrTheOutputNamed) {
  dir_.Write("-", kInput);  // a file of that name is reached as ./-
  const string sortedLf = Model("CBA", "FED", "\n");
  struct S {
    Args args;
    string in;
    int status;
    string out, err = "";
  };
  for (const auto& [args, in, status, out, err] :
       {S{{"-"}, kInput, 0, kSorted}, S{{"-o", "-", "--", "-"}, kInput, 0, kSorted},
        S{{"--eol", "lf", "-"}, kSorted, 0, sortedLf},  // written though no line moves
        S{{"-v", "-"}, sortedLf, 0, kSorted, "standard input: unchanged\n"},
        S{{"--check", "-"}, kInput, 1, "-\n"}, S{{"--check", "-"}, sortedLf, 0, ""},
        S{{"-o", "s.ldr", "-"}, kInput, 0, ""},
        S{{"--any-name", "./-", "-"}, kInput, 0, kSorted}}) {  // the file "-", then standard input
    Expect(Sort(args, Input(in)), status, err, out);
  }
  EXPECT_EQ(dir_.Read("s.ldr"), kSorted);
  EXPECT_EQ(dir_.Read("-"), kSorted);
  EXPECT_EQ(Entries(), 2u);  // no backup: "-" is too short a name for one
}

TEST_F(KelvaneSort, AFileInWhichNoLineMovesKeepsItsBytesItsTimeAndGetsNoBackup) {
  const timespec old[2] = {{1'000'000'000, 123'456'789}, {1'000'000'000, 123'456'789}};
  using F = std::pair<const char*, string>;  // the options, and the file's bytes
  for (const auto& [options, bytes] :
       {F{"", Model("CBA", "FED", "\n")}, F{"--eol lf", Model("CBA", "FED", "\r")},
        F{"--backup --eol crlf", "0 Name: m.ldr\r\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 a.dat\n0 \r"},
        F{"--no-steps", Model("FCB", "AED")}, F{"--by part", Model("BCA", "FDE", "\n")}, F{"", ""}}) {
    dir_.Write("m.ldr", bytes);
    ASSERT_EQ(::utimensat(AT_FDCWD, dir_.File("m.ldr").c_str(), old, 0), 0);
    Expect(Sort(Split(string(options) + " -v m.ldr")), 0, "m.ldr: unchanged\n");
    struct stat info {};
    EXPECT_EQ(::stat(dir_.File("m.ldr").c_str(), &info), 0);
    EXPECT_EQ(std::tie(info.st_mtim.tv_sec, info.st_mtim.tv_nsec), std::tie(old[1].tv_sec, old[1].tv_nsec))
        << options;
    EXPECT_EQ(dir_.Read("m.ldr"), bytes) << options;
    EXPECT_EQ(Entries(), 1u) << options;
  }
  // An output elsewhere is written all the same, in the form asked for.
  dir_.Write("m.ldr", Model("CBA", "FED", "\r"));
  Expect(Sort({"-o", "o.ldr", "m.ldr"}), 0);
  Expect(Sort({"-o", "-", "--eol", "lf", "m.ldr"}), 0, "", Model("CBA", "FED", "\n"));
  EXPECT_EQ(dir_.Read("o.ldr"), kSorted);
}

TEST_F(KelvaneSort, CheckNamesTheFilesThatWouldChangeAndWritesNothing) {
  const string sortedLf = Model("CBA", "FED", "\n");
  const std::map<string, string> files = {
      {"sorted.ldr", sortedLf}, {"a.ldr", kInput}, {"b.dat", kInput}, {"notes.txt", kInput}};
  for (const auto& [name, bytes] : files) dir_.Write(name, bytes);
  struct C {
    const char* args;
    int status;
    string out, err = "";
  };
  for (const auto& [args, status, out, err] :
       {C{"--check sorted.ldr", 0, ""},  // line ends do not count
        C{"sorted.ldr --check --no-steps", 1, "sorted.ldr\n"},
        C{"--check a.ldr sorted.ldr b.dat", 1, "a.ldr\nb.dat\n"},
        C{"--check -v sorted.ldr a.ldr", 1, "a.ldr\n", "sorted.ldr: unchanged\na.ldr: 4 part lines moved\n"},
        C{"--check missing.ldr sorted.ldr", 1, "", "kelvane-sort: missing.ldr: No such file or directory\n"},
        C{"--check notes.txt sorted.ldr", 1, "", Refusal("notes.txt")},
        C{"--check --any-name notes.txt --lines 1,5,7", 0, ""}}) {
    Expect(Sort(Split(args)), status, err, out);
  }
  for (const auto& [name, bytes] : files) EXPECT_EQ(dir_.Read(name), bytes) << name;
  EXPECT_EQ(Entries(), files.size());
}

TEST_F(KelvaneSort, NamesOtherThanAModelsAreRefusedAndLeftAloneUnlessAnyNameIsGiven) {
  const Args models = {"M.LDR", "m.Dat", "x.mPd"}, others = {"pic.png", "m.ldr.orig", "mpd", "./-"};
  for (const Args& names : {models, others})
    for (const string& name : names) dir_.Write(name, kInput);
  Expect(Sort({"--no-backup", "pic.png", "M.LDR", "m.ldr.orig", "mpd", "m.Dat", "./-", "x.mPd"}), 1,
         Refusal("pic.png") + Refusal("m.ldr.orig") + Refusal("mpd") + Refusal("./-"));
  for (const string& name : models) EXPECT_EQ(dir_.Read(name), kSorted) << name;
  for (const string& name : others) EXPECT_EQ(dir_.Read(name), kInput) << name;
  Args anyName = others;
  anyName.insert(anyName.end(), {"--any-name", "--no-backup"});
  Expect(Sort(anyName), 0);
  for (const string& name : others) EXPECT_EQ(dir_.Read(name), kSorted) << name;
  EXPECT_EQ(Entries(), models.size() + others.size());
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
  for (const auto& [args, part] : {U{{}, "no FILE"},
                                   U{{"--no-steps"}, "no FILE"},
                                   U{{"--"}, "no FILE"},
                                   U{{"--sort", "m.ldr"}, "'--sort'"},
                                   U{{"-x", "m.ldr"}, "'-x'"},
                                   U{{"--By", "part", "m.ldr"}, "'--By'"},
                                   U{{"--bogus", "--help"}, "'--bogus'"},
                                   U{{"m.ldr", "--by"}, "'--by' needs a value"},
                                   U{{"m.ldr", "-o"}, "'-o' needs a value"},
                                   U{{"--steps=yes", "m.ldr"}, "'--steps' takes no value"},
                                   U{{"--no-backup=1", "m.ldr"}, "takes no value"},
                                   U{{"--help=now"}, "'--help' takes no value"},
                                   U{{"-o", "", "m.ldr"}, "empty output"},
                                   U{{"-o", "a.ldr", "--output", "b.ldr", "m.ldr"}, "more than one output"},
                                   U{{"-o", "-", "-o", "-", "m.ldr"}, "more than one output"},
                                   U{{"-o", "o.ldr", "m.ldr", "n.ldr"}, "single FILE"},
                                   U{{"-o", "-", "m.ldr", "n.ldr", "m.ldr"}, "not 3"},
                                   U{{"-", "m.ldr", "--", "-"}, "standard input"},
                                   U{{"--check", "-o", "o.ldr", "m.ldr"}, "--check"},
                                   U{{"-o-", "--check", "m.ldr"}, "--check"},
                                   U{{"-v", "--check"}, "no FILE"},
                                   U{{"-vo", "m.ldr"}, "'-v' takes no value"},
                                   U{{"--lines", "2", "--lines", "0", "m.ldr"}, "'0' for --lines"}}) {
    check(args, part);
  }
  for (const string bad :
       {"--by=", "--by=colour", "--order=xxy", "--order=xy", "--order=xyzx", "--order=210", "--x=up",
        "--y=", "--z=asc", "--part=1", "--color=descending ", "--eol=cr", "--eol=", "--eol=crlf,lf"}) {
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
  for (const char* option : {"--by", "--order", "--x", "--y", "--z", "--part", "--color", "--steps",
                             "--no-steps", "--lines", "--backup", "--no-backup", "-o, --output", "--check",
                             "--eol", "--any-name", "-v, --verbose", "-h, --help", "--version"})
    EXPECT_NE(help.out.find(option), string::npos) << option;
  EXPECT_EQ(Sort({"-h"}).out, help.out);
  Expect(Sort({"--version", "--help"}), 0, "", string("kelvane-sort ") + kVersionText + "\n");
  EXPECT_EQ(Sort({"--", "--help.ldr"}).err, "kelvane-sort: --help.ldr: No such file or directory\n");
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
  const Result result = Sort({"a.ldr", "missing.ldr", "no/m.ldr", "d.ldr", "--any-name", "", "/proc/self/mem",
                              "-", "b.ldr", "secret.ldr", "locked/m.ldr", "m.bak", "c.ldr"},
                             dir_.File("d.ldr"), true);  // a folder as standard input
  Expect(
      result, 1,
      "kelvane-sort: missing.ldr: No such file or directory\n"
      "kelvane-sort: no/m.ldr: No such file or directory\n"
      "kelvane-sort: d.ldr: Is a directory\n"
      "kelvane-sort: : No such file or directory\n"
      "kelvane-sort: /proc/self/mem: Input/output error\n"  // opens, then fails to read, even for root
      "kelvane-sort: standard input: Is a directory\n"
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
    // A run that waited on the fifo would never end: the test's time limit tells.
    Expect(Sort({"pipe.ldr", "zero.ldr", "/dev/null", "m.ldr", "--any-name", "--no-backup"}, "/dev/null", nobody),
           1,
           "kelvane-sort: pipe.ldr: not a regular file\nkelvane-sort: zero.ldr: not a regular file\n"
           "kelvane-sort: /dev/null: not a regular file\n");
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
    const Result result = Sort({"big.ldr"}, "/dev/null", false, "", [&](pid_t child) {
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
  const Result result = Sort({"--no-backup", "a.ldr", "big.ldr", "z.ldr"}, "/dev/null", false, "", {}, 24u << 20);
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
  Expect(Sort({"h.ldr"}, "/dev/null", true), 0);
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
