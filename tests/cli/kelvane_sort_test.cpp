// kelvane-sort as a user runs it: its exit status, its messages and the files it leaves behind.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <sstream>

#include "cli/help_text.h"
#include "support/temporary_folder.h"

namespace kelvane::cli {
namespace {

namespace fs = std::filesystem;
using std::string;
using Files = std::map<string, string>;
using kelvane::testing::TemporaryFolder;

using Result = std::tuple<int, string, string>;  // the exit status (-1 for none), standard error and output

// File contents as the tables write them. "ABC-DEF" is a model with parts A, B, C in its first step and
// D, E, F in its second, with CR LF ends; "abc-def" the same with LF ends, and so on for more steps. The
// default options (largest y first, then largest z, then smallest x) reverse each step: CBA-FED. "big" is
// abc-def 65,536 times over, about 17 MB, a model read into a buffer of its own mapping;
// "big-sorted" it sorted. Anything else stands for itself.
string Bytes(const string& text) {
  static const string kParts[] = {
      "1 4 20 -8 0 1 0 0 0 1 0 0 0 1 3005.dat",    "1 1 -20 -8 10 1 0 0 0 1 0 0 0 1 3001.dat",
      "1 15 0 0 10 1 0 0 0 1 0 0 0 1 3003.dat",    "1 2 10 -24 0 1 0 0 0 1 0 0 0 1 3024.dat",
      "1 0 -10 -24 5 1 0 0 0 1 0 0 0 1 3070b.dat", "1 7 30 8 5 1 0 0 0 1 0 0 0 1 3010.dat"};
  string steps = text == "big" ? "abc-def" : text == "big-sorted" ? "CBA-FED" : text;
  while (text.starts_with("big") && steps.size() < 500'000) steps += '-' + steps;
  if (steps == text && !std::regex_match(text, std::regex("[A-F]{3}-[A-F]{3}|[a-f]{3}-[a-f]{3}")))
    return text;
  const string end = std::islower(steps[0]) ? "\n" : "\r\n";
  string model = "0 Name: m.ldr";
  for (const char c : steps) model += end + (c == '-' ? "0 STEP" : kParts[std::toupper(c) - 'A']);
  return model + end;
}

// Files given as "name=contents ...": a name ending in "/" is a folder, contents "->x" a link to x.
Files Parse(const string& files) {
  std::istringstream in(files);
  Files parsed;
  for (string f; in >> f;) parsed[f.substr(0, f.find('='))] = Bytes(f.substr(f.find('=') + 1));
  return parsed;
}

void Put(const TemporaryFolder& dir, const string& files) {
  for (const auto& [name, bytes] : Parse(files)) {
    fs::create_directories(fs::path(dir.File(name)).parent_path());
    if (name.ends_with('/')) continue;
    bytes.starts_with("->") ? fs::create_symlink(bytes.substr(2), dir.File(name)) : dir.Write(name, bytes);
  }
}

// The run's status, messages and output, and the folder after it: every file and link in it must
// be as given, and nothing else may be there.
void Expect(const TemporaryFolder& dir, const Result& r, int status, const string& err, const string& out,
            const string& files, const string& what = "") {
  EXPECT_EQ(r, Result(status, err, out)) << what;
  Files found;
  for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
    if (entry.is_symlink() || !entry.is_directory())
      found[entry.path().string().substr(dir.Path().size())] =
          entry.is_symlink() ? "->" + fs::read_symlink(entry.path()).string()
                             : testing::ReadFileBytes(entry.path());
  EXPECT_EQ(found, Parse(files)) << what;
}

// Runs the built program in `dir` through the shell with the arguments `args` as the shell reads them,
// with the bytes `in` as its standard input unless `args` redirect it. `whileRunning` is called with the
// running program's id; `kilobytes` limits its address space.
Result Sort(const TemporaryFolder& dir, const string& args, const string& in = "",
            const std::function<void(pid_t)>& whileRunning = {}, const string& kilobytes = "unlimited") {
  const TemporaryFolder capture;
  capture.Write("in", in);
  const string command = "ulimit -v " + kilobytes + " && cd " + dir.Path() +
                         " && exec " KELVANE_SORT_BINARY " <" + capture.File("in") + " >" +
                         capture.File("out") + " 2>" + capture.File("err") + " " + args;
  const pid_t child = ::fork();
  if (child == 0) ::_exit(::execl("/bin/sh", "sh", "-c", command.c_str(), nullptr));
  if (whileRunning) whileRunning(child);
  int status = 0;
  ::waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, capture.Read("err"), capture.Read("out")};
}

TEST(KelvaneSort, RunsLeaveTheFilesStatusAndMessagesExpected) {
  const string m = "m.ldr=abc-def";
  const struct {
    string args, before, after;  // after: "" when it is the same as before
    int status = 0;
    string err = "", out = "", in = "";  // out and in: the bytes of standard output and input
  } cases[] = {
      {"--by Coordinates --order yzx --no-steps --steps --x=ascending --y ascending m.ldr", m,
       "m.ldr=BAC-EDF m.bak=abc-def"},  // every default named
      {"--no-steps -v m.ldr", m, "m.ldr=FCB-AED m.bak=abc-def", 0, "m.ldr: 5 part lines moved\n"},
      {"--z=ascending --order=ZXY --x descending m.ldr", m, "m.ldr=ACB-DFE m.bak=abc-def"},
      {"--by part --part DESCENDING m.ldr", m, "m.ldr=ACB-EDF m.bak=abc-def"},
      {"--by part --by=color --color descending m.ldr", m, "m.ldr=CAB-FDE m.bak=abc-def"},
      {"--eol=crlf -v --eol LF m.ldr", m, "m.ldr=cba-fed m.bak=abc-def", 0, "m.ldr: 4 part lines moved\n"},
      // Numbers past the last line count for nothing; lines 1 and 5 are no part lines, 7 is alone.
      {"--lines 3 --lines=2,9 --lines 007-008 m.ldr", m, "m.ldr=BAC-DFE m.bak=abc-def"},
      {"--lines 3-18446744073709551620 m.ldr", m, "m.ldr=ACB-FED m.bak=abc-def"},  // 2^64 + 4
      // A file in which no line moves is not written, whatever line ends it has, and gets no backup.
      {"--lines 1,5,7 -v m.ldr e.ldr", "m.ldr=abc-def e.ldr=", "", 0, "m.ldr: unchanged\ne.ldr: unchanged\n"},
      {"--backup --eol crlf -v m.ldr", "m.ldr=cba-fed", "", 0, "m.ldr: unchanged\n"},
      // A file named three ways is sorted once, so that its backup holds it as it was; "--" ends the options.
      {"-v a.ldr ./a.ldr link.ldr -- --help.ldr", "a.ldr=abc-def link.ldr=->a.ldr",
       "a.ldr=CBA-FED a.bak=abc-def link.ldr=->a.ldr", 1,
       "a.ldr: 4 part lines moved\nkelvane-sort: --help.ldr: No such file or directory\n"},
      {"--no-backup mpd M.LDR m.Dat x.mPd", "mpd=abc-def M.LDR=abc-def m.Dat=abc-def x.mPd=abc-def",
       "mpd=abc-def M.LDR=CBA-FED m.Dat=CBA-FED x.mPd=CBA-FED", 1,
       "kelvane-sort: mpd: not an LDraw model file name (.dat, .ldr, .mpd); use --any-name to sort it "
       "anyway\n"},
      // An output elsewhere is written even when no line moves, and the model is kept without backup.
      {"-oo.ldr --backup m.ldr", "m.ldr=cba-fed", "m.ldr=cba-fed o.ldr=CBA-FED"},
      {"big.ldr --output -", "big.ldr=big", "", 0, "", "big-sorted"},
      // A large model is written while it is still being sorted; unchanged, it is not written at all.
      {"-v big.ldr b.ldr", "big.ldr=big b.ldr=big-sorted", "big.ldr=big-sorted big.bak=big b.ldr=big-sorted",
       0, "big.ldr: 262144 part lines moved\nb.ldr: unchanged\n"},
      {"-o - m.ldr >/dev/full", m, "", 1, "kelvane-sort: standard output: No space left on device\n"},
      // Standard input goes to standard output unless an output is named; "./-" is a file of that name.
      {"-v --eol lf -", "", "", 0, "standard input: unchanged\n", "cba-fed", "CBA-FED"},
      {"-o s.ldr -", "", "s.ldr=CBA-FED", 0, "", "", "abc-def"},
      {"--any-name ./- -", "-=abc-def", "-=CBA-FED", 0, "", "CBA-FED", "abc-def"},
      // --check names the files that would change (line ends do not count) and writes nothing.
      {"--check -", "", "", 1, "", "-\n", "abc-def"},
      {"--check -v a.ldr m.ldr b.dat", "a.ldr=abc-def m.ldr=cba-fed b.dat=abc-def", "", 1,
       "a.ldr: 4 part lines moved\nm.ldr: unchanged\nb.dat: 4 part lines moved\n", "a.ldr\nb.dat\n"},
      {"--check m.ldr", "m.ldr=cba-fed", ""},
      // --help and --version answer wherever they stand.
      {"m.ldr --help --bogus", "", "", 0, "", HelpText()},
      {"-h", "", "", 0, "", HelpText()},
      {"--version --help", "", "", 0, "", VersionText()},

  };
  for (const auto& c : cases) {
    const TemporaryFolder dir;
    Put(dir, c.before);
    Expect(dir, Sort(dir, c.args, Bytes(c.in)), c.status, c.err, Bytes(c.out),
           c.after.empty() ? c.before : c.after, c.args);
  }
}

// Each file that fails is named with the reason and loses nothing; the others are still sorted. Another
// program changes big.ldr once it has been read: its bytes are kept and no backup is made.
TEST(KelvaneSort, EachFileThatFailsIsNamedWithTheReasonAndTheRunGoesOnAndAUsageErrorWritesNothing) {
  const TemporaryFolder dir;
  Put(dir, "a.ldr=abc-def big.ldr=big d.ldr/ c.ldr=abc-def");
  const int watch = ::inotify_init1(IN_CLOEXEC);
  ASSERT_GE(::inotify_add_watch(watch, dir.File("big.ldr").c_str(), IN_CLOSE_NOWRITE), 0);
  const auto change = [&](pid_t child) {
    // Held still from the moment it has read the file, so that the change comes before its write.
    alignas(inotify_event) char event[sizeof(inotify_event) + NAME_MAX + 1];
    if (::read(watch, event, sizeof event) > 0) ::kill(child, SIGSTOP);
    dir.Write("big.ldr", "changed");
    ::kill(child, SIGCONT);
  };
  const Result result =
      Sort(dir, "a.ldr missing.ldr d.ldr - <d.ldr --any-name /proc/self/mem big.ldr c.ldr", "", change);
  ::close(watch);
  Expect(dir, result, 1,
         "kelvane-sort: missing.ldr: No such file or directory\nkelvane-sort: d.ldr: Is a directory\n"
         "kelvane-sort: standard input: Is a directory\nkelvane-sort: /proc/self/mem: Input/output error\n"
         "kelvane-sort: big.ldr: not saved: it was changed by another program after it was read\n",
         "", "a.ldr=CBA-FED a.bak=abc-def c.ldr=CBA-FED c.bak=abc-def big.ldr=changed");
#if !defined(__SANITIZE_ADDRESS__)  // the address sanitizer reserves more address space than the limit
  // A model too large for the memory given fails alone, and the files after it are sorted.
  Put(dir, "big.ldr=big a.ldr=abc-def c.ldr=abc-def");
  Result big = Sort(dir, "--no-backup a.ldr big.ldr c.ldr", "", {}, "24576");
  // where it ran out does not matter
  std::get<1>(big) = std::regex_replace(std::get<1>(big), std::regex("memory to .*"), "memory to ...");
  Expect(dir, big, 1, "kelvane-sort: big.ldr: there is not enough memory to ...\n", "",
         "a.ldr=CBA-FED a.bak=abc-def c.ldr=CBA-FED c.bak=abc-def big.ldr=big");
#endif
  // A usage error is one line and a hint; it exits with 2 and writes nothing. (Which --lines texts are
  // refused, the line-range fuzz target tells.) The help names every option.
  std::istringstream usage(
      ";-v --check;--sort m.ldr;--By part m.ldr;--bogus --help;m.ldr --by;--steps=yes m.ldr;-vo m.ldr;"
      "-o '' m.ldr;-o - --output b.ldr m.ldr;-o - m.ldr n.ldr m.ldr;- m.ldr -- -;-o- --check m.ldr;"
      "--by=colour m.ldr;--order=xxy m.ldr;--order=xy m.ldr;--x=up m.ldr;--color='descending ' m.ldr;"
      "--eol=cr m.ldr;--lines= m.ldr;--lines=1,,2 m.ldr;--lines=1, m.ldr;--lines=1- m.ldr");
  const TemporaryFolder none;  // what a usage error that went ahead would read is not there either
  for (string args; std::getline(usage, args, ';');) {
    Result r = Sort(none, args);
    std::get<1>(r) = std::regex_replace(std::get<1>(r), std::regex("^kelvane-sort: .+"), "kelvane-sort: ...");
    Expect(none, r, 2, "kelvane-sort: ...\nTry 'kelvane-sort --help' for more information.\n", "", "", args);
  }
  std::istringstream options(
      "Usage: --by --order --x --y --z --part --color --steps --no-steps --lines --backup "
      "--no-backup -o, --output --check --eol --any-name -v, --verbose -h, --help --version");
  for (string option; options >> option;) EXPECT_NE(HelpText().find(option), string::npos) << option;
}

}  // namespace
}  // namespace kelvane::cli
