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
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>

#include "cli/help_text.h"
#include "support/temporary_folder.h"

namespace kelvane::cli {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using std::string;
using Args = std::vector<string>;
using Files = std::map<string, string>;
using kelvane::testing::TemporaryFolder;

struct Result {
  int status = -1;  // -1 when the program did not exit normally
  string out, err;
};

// Words split at blanks; '' stands for an empty word.
Args Split(const string& words) {
  std::istringstream in(words);
  Args split{std::istream_iterator<string>(in), {}};
  for (string& word : split) word = word == "''" ? "" : word;
  return split;
}

// 5,000 steps of 50 parts whose y grows line by line, so that the default order (largest y first)
// reverses every step: about 10 MB, enough for the program to prepare its heap for a big model.
string Big(bool sorted) {
  string model;
  for (int step = 0; step < 5000; ++step) {
    for (int k = 0; k < 50; ++k)
      model += "1 4 0 " + std::to_string(sorted ? 49 - k : k) + " 0 1 0 0 0 1 0 0 0 1 " +
               std::to_string(step) + (sorted ? ".dat\r\n" : ".dat\n");
    model += sorted ? "0 STEP\r\n" : "0 STEP\n";
  }
  return model;
}

// File contents as the tables write them. "ABC-DEF" is a model with parts A, B, C in its first step and
// D, E, F in its second, with CR LF ends; "abc-def" the same with LF ends. The default options (largest
// y first, then largest z, then smallest x) reverse each step: CBA-FED. "raw" holds odd bytes, blanks
// before a part line, a line of type 2 and mixed line ends; "big" is Big(). "-sorted" after either
// names its sorted form. Anything else stands for itself.
string Bytes(const string& text) {
  static const string kParts[] = {
      "1 4 20 -8 0 1 0 0 0 1 0 0 0 1 3005.dat",    "1 1 -20 -8 10 1 0 0 0 1 0 0 0 1 3001.dat",
      "1 15 0 0 10 1 0 0 0 1 0 0 0 1 3003.dat",    "1 2 10 -24 0 1 0 0 0 1 0 0 0 1 3024.dat",
      "1 0 -10 -24 5 1 0 0 0 1 0 0 0 1 3070b.dat", "1 7 30 8 5 1 0 0 0 1 0 0 0 1 3010.dat"};
  static const string low = "1 4 0 1 0 1 0 0 0 1 0\0 0 0 1 caf\xc3\xa9.dat  "s, others = "0 \x80\xff\t \0"s,
                      high = " 1 4 0 99 0 1 0 0 0 1 0 0 0 1 \xe9t.dat", line2 = "2 24 0 99 0 1 1 1";
  static const Files kNamed = {
      {"raw", low + "\n" + others + "\r" + line2 + "\r\n" + high},
      {"raw-sorted", high + "\r\n" + others + "\r\n" + line2 + "\r\n" + low + "\r\n"},
      {"big", Big(false)},
      {"big-sorted", Big(true)}};
  if (kNamed.contains(text)) return kNamed.at(text);
  if (!std::regex_match(text, std::regex("[A-F]{3}-[A-F]{3}|[a-f]{3}-[a-f]{3}"))) return text;
  const string end = std::islower(text[0]) ? "\n" : "\r\n";
  string model = "0 Name: m.ldr";
  for (const char c : text) model += end + (c == '-' ? "0 STEP" : kParts[std::toupper(c) - 'A']);
  return model + end;
}

// Files given as "name=contents ...": a name ending in "/" is a folder, contents "->x" a link to x and
// "|" a fifo.
Files Parse(const string& files) {
  Files parsed;
  for (const string& file : Split(files))
    parsed[file.substr(0, file.find('='))] = Bytes(file.substr(file.find('=') + 1));
  return parsed;
}

// Bytes to compare and print: a large file by its size and a hash, so that a failure prints no megabytes.
string Shown(const string& bytes) {
  return bytes.size() < 4096
             ? bytes
             : std::to_string(bytes.size()) + " bytes, hash " + std::to_string(std::hash<string>{}(bytes));
}

void Put(const TemporaryFolder& dir, const string& files) {
  for (const auto& [name, bytes] : Parse(files)) {
    fs::create_directories(fs::path(dir.File(name)).parent_path());
    if (bytes.starts_with("->")) {
      fs::create_symlink(bytes.substr(2), dir.File(name));
    } else if (bytes == "|") {
      ::mkfifo(dir.File(name).c_str(), 0666);
    } else if (!name.ends_with('/')) {
      dir.Write(name, bytes);
    }
  }
}

// Every file, link and fifo in the folder must be as given, and nothing else may be there.
void ExpectFiles(const TemporaryFolder& dir, const string& files, const string& what = "") {
  Files found, expected;
  for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
    const string name = entry.path().string().substr(dir.Path().size());
    if (entry.is_symlink() || !entry.is_directory())
      found[name] = entry.is_symlink() ? "->" + fs::read_symlink(entry.path()).string()
                    : entry.is_fifo()  ? "|"
                                       : Shown(dir.Read(name));
  }
  for (const auto& [name, bytes] : Parse(files)) expected[name] = Shown(bytes);
  EXPECT_EQ(found, expected) << what;
}

void Expect(const Result& result, int status, const string& err, const string& out, const string& what = "") {
  EXPECT_EQ(std::tie(result.status, result.err), std::tie(status, err)) << what;
  EXPECT_EQ(Shown(result.out), Shown(out)) << what;
}

// Runs the built program in `dir` with `inPath` as its standard input; a last argument ">PATH" sends
// its standard output there instead of catching it. As uid/gid 65534 when `nobody` and the tests run as
// root, so that file permissions bind it. `whileRunning` is called with the running program's id;
// `addressSpace` limits its memory.
Result Sort(const TemporaryFolder& dir, Args args, const string& inPath = "/dev/null", bool nobody = false,
            const std::function<void(pid_t)>& whileRunning = {}, rlim_t addressSpace = 0) {
  const TemporaryFolder capture;
  const bool redirected = !args.empty() && args.back().starts_with('>');
  const string out = redirected ? args.back().substr(1) : capture.File("out"), err = capture.File("err");
  if (redirected) args.pop_back();
  const int fds[] = {::open(KELVANE_SORT_BINARY, O_RDONLY | O_CLOEXEC),
                     ::open(inPath.c_str(), O_RDONLY | O_CLOEXEC),
                     ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600),
                     ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)};
  args.insert(args.begin(), "kelvane-sort");
  std::vector<char*> argv;
  for (string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const rlimit limit{addressSpace, addressSpace};
  const pid_t child = std::ranges::min(fds) < 0 ? -1 : ::fork();
  if (child == 0) {  // only async-signal-safe calls from here on; by descriptor, as the build folder
                     // need not be open to all
    if (::dup2(fds[1], 0) == 0 && ::dup2(fds[2], 1) == 1 && ::dup2(fds[3], 2) == 2 &&
        ::chdir(dir.Path().c_str()) == 0 && (addressSpace == 0 || ::setrlimit(RLIMIT_AS, &limit) == 0) &&
        (!nobody || ::geteuid() != 0 ||
         (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0)))
      ::fexecve(fds[0], argv.data(), environ);
    ::_exit(127);
  }
  for (const int fd : fds) ::close(fd);
  if (child < 0) return {-1, "", "cannot start " KELVANE_SORT_BINARY};
  if (whileRunning) whileRunning(child);
  int status = 0;
  ::waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
          redirected ? "" : kelvane::testing::ReadFileBytes(out), kelvane::testing::ReadFileBytes(err)};
}

TEST(KelvaneSort, RunsLeaveTheFilesStatusAndMessagesExpected) {
  const string m = "m.ldr=abc-def";
  const auto refused = [](const string& name) {
    return "kelvane-sort: " + name +
           ": not an LDraw model file name (.dat, .ldr, .mpd); use --any-name to sort it anyway\n";
  };
  const struct {
    string args, before, in;  // in: the bytes of standard input, or "<NAME" for a file in the folder
    int status;
    string err, out, after;
    bool nobody = false;  // as nobody, with every file open to all but secret.ldr
  } cases[] = {
      {"m.ldr", m, "", 0, "", "", "m.ldr=CBA-FED m.bak=abc-def"},
      {"--by Coordinates --order yzx --no-steps --steps --x=ascending --y ascending m.ldr", m, "", 0, "", "",
       "m.ldr=BAC-EDF m.bak=abc-def"},  // every default named
      {"--no-steps -v m.ldr", m, "", 0, "m.ldr: 5 part lines moved\n", "", "m.ldr=FCB-AED m.bak=abc-def"},
      {"--z=ascending m.ldr", m, "", 0, "", "", "m.ldr=CAB-FDE m.bak=abc-def"},
      {"--order=XZY --x descending m.ldr", m, "", 0, "", "", "m.ldr=ACB-FDE m.bak=abc-def"},
      {"--by part --part DESCENDING m.ldr", m, "", 0, "", "", "m.ldr=ACB-EDF m.bak=abc-def"},
      {"--by part --by=color --color descending m.ldr", m, "", 0, "", "", "m.ldr=CAB-FDE m.bak=abc-def"},
      {"--eol=crlf -v --eol LF m.ldr", m, "", 0, "m.ldr: 4 part lines moved\n", "",
       "m.ldr=cba-fed m.bak=abc-def"},
      // Numbers past the last line count for nothing; lines 1 and 5 are no part lines, 7 is alone.
      {"--lines 3 --lines=2,9 m.ldr", m, "", 0, "", "", "m.ldr=BAC-DEF m.bak=abc-def"},
      {"--lines 007-008 m.ldr", m, "", 0, "", "", "m.ldr=ABC-DFE m.bak=abc-def"},
      {"--lines 3-99999999999999999999999 m.ldr", m, "", 0, "", "", "m.ldr=ACB-FED m.bak=abc-def"},
      // A file in which no line moves is not written, whatever line ends it has, and gets no backup.
      {"--lines 1,5,7 -v m.ldr", m, "", 0, "m.ldr: unchanged\n", "", m},
      {"--backup --eol crlf -v m.ldr", "m.ldr=cba-fed", "", 0, "m.ldr: unchanged\n", "", "m.ldr=cba-fed"},
      {"m.ldr", "m.ldr=", "", 0, "", "", "m.ldr="},
      // A file named three ways is sorted once, so that its backup holds it as it was.
      {"-v a.ldr ./a.ldr link.ldr raw.dat -- -c.mpd",
       "a.ldr=abc-def link.ldr=->a.ldr raw.dat=raw -c.mpd=abc-def", "", 0,
       "a.ldr: 4 part lines moved\nraw.dat: 2 part lines moved\n-c.mpd: 4 part lines moved\n", "",
       "a.ldr=CBA-FED a.bak=abc-def link.ldr=->a.ldr raw.dat=raw-sorted raw.bak=raw -c.mpd=CBA-FED "
       "-c.bak=abc-def"},
      // own.bak is its own backup name: it can be sorted only without a backup.
      {"n.ldr own.bak --any-name --no-backup", "n.ldr=abc-def n.bak=older own.bak=abc-def", "", 0, "", "",
       "n.ldr=CBA-FED n.bak=older own.bak=CBA-FED"},
      {"--no-backup mpd M.LDR m.ldr.orig m.Dat x.mPd",
       "mpd=abc-def M.LDR=abc-def m.ldr.orig=abc-def m.Dat=abc-def x.mPd=abc-def", "", 1,
       refused("mpd") + refused("m.ldr.orig"), "",
       "mpd=abc-def M.LDR=CBA-FED m.ldr.orig=abc-def m.Dat=CBA-FED x.mPd=CBA-FED"},
      // An output elsewhere is written even when no line moves, and the model is kept without backup.
      {"-oo.ldr --backup m.ldr", "m.ldr=cba-fed", "", 0, "", "", "m.ldr=cba-fed o.ldr=CBA-FED"},
      {"m.ldr --output -", m, "", 0, "", Bytes("CBA-FED"), m},
      {"-o - big.ldr", "big.ldr=big", "", 0, "", Bytes("big-sorted"), "big.ldr=big"},
      {"-o no/f.ldr m.ldr", m, "", 1,
       "kelvane-sort: no/f.ldr: not saved: it could not be written in its folder (No such file or "
       "directory)\n",
       "", m},
      {"-o - m.ldr >/dev/full", m, "", 1, "kelvane-sort: standard output: No space left on device\n", "", m},
      // Standard input goes to standard output unless an output is named; "./-" is a file of that name.
      {"-", "", "abc-def", 0, "", Bytes("CBA-FED"), ""},
      {"-v --eol lf -", "", "CBA-FED", 0, "standard input: unchanged\n", Bytes("cba-fed"), ""},
      {"-o s.ldr -", "", "abc-def", 0, "", "", "s.ldr=CBA-FED"},
      {"--any-name ./- -", "-=abc-def", "abc-def", 0, "", Bytes("CBA-FED"), "-=CBA-FED"},
      // --check names the files that would change (line ends do not count) and writes nothing.
      {"--check -", "", "abc-def", 1, "", "-\n", ""},
      {"--check -v a.ldr m.ldr b.dat", "a.ldr=abc-def m.ldr=cba-fed b.dat=abc-def", "", 1,
       "a.ldr: 4 part lines moved\nm.ldr: unchanged\nb.dat: 4 part lines moved\n", "a.ldr\nb.dat\n",
       "a.ldr=abc-def m.ldr=cba-fed b.dat=abc-def"},
      {"--check m.ldr", "m.ldr=cba-fed", "", 0, "", "", "m.ldr=cba-fed"},
      // Anything but a regular file is refused at once: a fifo nobody writes into holds nothing up.
      {"pipe.ldr zero.ldr /dev/null m.ldr --any-name --no-backup", "pipe.ldr=| zero.ldr=->/dev/zero " + m, "",
       1,
       "kelvane-sort: pipe.ldr: not a regular file\nkelvane-sort: zero.ldr: not a regular file\n"
       "kelvane-sort: /dev/null: not a regular file\n",
       "", "pipe.ldr=| zero.ldr=->/dev/zero m.ldr=CBA-FED"},
      // Each file that fails is named with the reason and loses nothing; the others are still sorted.
      {"a.ldr missing.ldr d.ldr --any-name - b.ldr secret.ldr m.bak c.ldr",
       "a.ldr=abc-def c.ldr=abc-def d.ldr/ b.ldr=abc-def b.bak/x= secret.ldr=abc-def m.bak=abc-def", "<d.ldr",
       1,
       "kelvane-sort: missing.ldr: No such file or directory\nkelvane-sort: d.ldr: Is a directory\n"
       "kelvane-sort: standard input: Is a directory\n"
       "kelvane-sort: b.ldr: not saved: the backup \"b.bak\" could not be made (Is a directory)\n"
       "kelvane-sort: secret.ldr: Permission denied\n"
       "kelvane-sort: m.bak: not saved: its backup \"m.bak\" would be the file itself; it can be saved only "
       "without a backup\n",
       "",
       "a.ldr=CBA-FED a.bak=abc-def c.ldr=CBA-FED c.bak=abc-def b.ldr=abc-def b.bak/x= secret.ldr=abc-def "
       "m.bak=abc-def",
       true},
      // --help and --version answer wherever they stand before "--".
      {"m.ldr --help --bogus", "", "", 0, "", HelpText(), ""},
      {"-h", "", "", 0, "", HelpText(), ""},
      {"--version --help", "", "", 0, "", VersionText(), ""},
      {"-- --help.ldr", "", "", 1, "kelvane-sort: --help.ldr: No such file or directory\n", "", ""},
  };
  for (const auto& c : cases) {
    const TemporaryFolder dir, input;
    Put(dir, c.before);
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
      if (c.nobody && !entry.is_symlink()) ::chmod(entry.path().c_str(), entry.is_directory() ? 0777 : 0666);
    if (c.nobody) ::chmod(dir.Path().c_str(), 0777);
    ::chmod(dir.File("secret.ldr").c_str(), 0600);
    input.Write("in", Bytes(c.in));
    const string in = c.in.starts_with('<') ? dir.File(c.in.substr(1)) : input.File("in");
    Expect(Sort(dir, Split(c.args), in, c.nobody), c.status, c.err, c.out, c.args);
    ExpectFiles(dir, c.after, c.args);
  }
}

// A usage error is one line naming what is wrong and a hint; it exits with 2 and writes nothing.
TEST(KelvaneSort, AUsageErrorExitsWithTwoOnOneLineAndAHintAndWritesNothing) {
  const TemporaryFolder dir;
  Put(dir, "m.ldr=abc-def n.ldr=abc-def");
  // The arguments, and what the message must name.
  std::istringstream usage(
      "|no FILE;-v --check|no FILE;--sort m.ldr|'--sort';--By part m.ldr|'--By';--bogus --help|'--bogus';"
      "m.ldr --by|'--by' needs a value;--steps=yes m.ldr|'--steps' takes no value;-vo m.ldr|'-v' takes no;"
      "-o '' m.ldr|empty output;-o - --output b.ldr m.ldr|more than one output;-o - m.ldr n.ldr m.ldr|not 3;"
      "- m.ldr -- -|standard input;-o- --check m.ldr|--check;--lines 2 --lines 0 m.ldr|'0' for --lines");
  std::istringstream badValues(  // the last an Arabic-Indic three
      "--by=colour;--order=xxy;--order=xy;--x=up;--color=descending "
      ";--eol=cr;--lines=;--lines=0-3;--lines=5-3;"
      "--lines=1,,2;--lines=1,;--lines=1x;--lines=1-;--lines= 1;--lines=+1;--lines=\xd9\xa3");
  std::vector<std::pair<Args, string>> cases;
  for (string item; std::getline(usage, item, ';');)
    cases.emplace_back(Split(item.substr(0, item.find('|'))), item.substr(item.find('|') + 1));
  for (string bad; std::getline(badValues, bad, ';');)
    cases.push_back(
        {{bad, "m.ldr"},
         string("'").append(bad.substr(bad.find('=') + 1)).append("' for ") + bad.substr(0, bad.find('='))});
  for (const auto& [args, part] : cases) {
    const Result result = Sort(dir, args);
    const string first = result.err.substr(0, result.err.find('\n'));
    EXPECT_EQ(std::pair(result.status, result.out), std::pair(2, ""s)) << first;
    EXPECT_TRUE(first.starts_with("kelvane-sort: ") && first.find(part) != string::npos)
        << first << ": " << part;
    EXPECT_EQ(result.err, first + "\nTry 'kelvane-sort --help' for more information.\n");
  }
  ExpectFiles(dir, "m.ldr=abc-def n.ldr=abc-def");
}

TEST(KelvaneSort, HelpNamesEveryOption) {
  EXPECT_TRUE(HelpText().starts_with("Usage: kelvane-sort [OPTIONS] FILE...\n")) << HelpText();
  for (const string& option :
       Split("--by --order --x --y --z --part --color --steps --no-steps --lines --backup "
             "--no-backup -o, --output --check --eol --any-name -v, --verbose -h, --help --version"))
    EXPECT_NE(HelpText().find(option), string::npos) << option;
}

// Another program's change between the read and the write is not overwritten: that file fails and
// keeps the other program's bytes, and no backup is made.
TEST(KelvaneSort, AFileChangedWhileItIsSortedIsLeftAsTheOtherProgramMadeIt) {
  const TemporaryFolder dir;
  Put(dir, "big.ldr=big");
  const int watch = ::inotify_init1(IN_CLOEXEC);
  ASSERT_GE(::inotify_add_watch(watch, dir.File("big.ldr").c_str(), IN_CLOSE_NOWRITE), 0);
  const Result result = Sort(dir, {"big.ldr"}, "/dev/null", false, [&](pid_t child) {
    // Held still from the moment it has read the file, so that the change comes before its write.
    alignas(inotify_event) char event[sizeof(inotify_event) + NAME_MAX + 1];
    if (::read(watch, event, sizeof event) > 0) ::kill(child, SIGSTOP);
    dir.Write("big.ldr", "changed");
    ::kill(child, SIGCONT);
  });
  ::close(watch);
  Expect(result, 1, "kelvane-sort: big.ldr: not saved: it was changed by another program after it was read\n",
         "");
  ExpectFiles(dir, "big.ldr=changed");
}

// A model too large for the memory given fails alone, with a message, and the files after it are sorted.
TEST(KelvaneSort, AModelThatDoesNotFitIntoMemoryFailsAloneAndTheRunGoesOn) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
  const TemporaryFolder dir;
  Put(dir, "a.ldr=abc-def big.ldr=big z.ldr=abc-def");
  const Result result =
      Sort(dir, Split("--no-backup a.ldr big.ldr z.ldr"), "/dev/null", false, {}, 24u << 20);
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(result.err.starts_with("kelvane-sort: big.ldr: there is not enough memory to ")) << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  ExpectFiles(dir, "a.ldr=CBA-FED big.ldr=big z.ldr=CBA-FED");
}

}  // namespace
}  // namespace kelvane::cli
