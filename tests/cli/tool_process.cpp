#include "tool_process.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "support/temporary_folder.h"

namespace kelvane::cli::testing {
namespace {

constexpr uid_t kNobody = 65534;

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void RunChild(int program, const std::vector<char*>& argv, const char* folder, int out, int err,
                           bool dropToNobody) {
  if (::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0 || ::chdir(folder) != 0) {
    ::_exit(126);
  }
  if (dropToNobody && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
    ::_exit(126);
  }
  // By descriptor, so that no folder on the way to the build needs to be open to the other user.
  ::fexecve(program, argv.data(), environ);
  ::_exit(127);
}

}  // namespace

ProcessResult RunKelvaneSort(const std::vector<std::string>& arguments, const std::string& folder, RunAs user,
                             const std::string& standardOutput) {
  const kelvane::testing::TemporaryFolder capture;
  const std::string outPath = standardOutput.empty() ? capture.File("out") : standardOutput;
  const std::string errPath = capture.File("err");
  const int program = ::open(KELVANE_SORT_BINARY, O_RDONLY | O_CLOEXEC);
  const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (program < 0 || out < 0 || err < 0) throw std::runtime_error("cannot start " KELVANE_SORT_BINARY);

  std::vector<std::string> words{"kelvane-sort"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const bool dropToNobody = user == RunAs::kNobody && ::geteuid() == 0;
  const pid_t child = ::fork();
  if (child == 0) RunChild(program, argv, folder.c_str(), out, err, dropToNobody);
  ::close(program);
  ::close(out);
  ::close(err);
  if (child < 0) throw std::runtime_error("cannot fork");

  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  ProcessResult result;
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (standardOutput.empty()) result.out = kelvane::testing::ReadFileBytes(outPath);
  result.err = kelvane::testing::ReadFileBytes(errPath);
  return result;
}

}  // namespace kelvane::cli::testing
