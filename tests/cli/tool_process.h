#pragma once

#include <string>
#include <vector>

namespace kelvane::cli::testing {

// How a run of the built kelvane-sort ended.
struct ProcessResult {
  int exitStatus = -1;  // -1 when it did not exit normally
  std::string out;
  std::string err;
};

enum class RunAs { kSelf, kNobody };

// Runs the built kelvane-sort with `arguments` in `folder` (its working folder, also where its output
// is caught) and waits for it. kNobody runs it as uid/gid 65534 where the tests run as root, so that
// file permissions bind it; an unprivileged test run is bound by them already. A standardOutput path
// is opened for the program's standard output instead of catching it.
ProcessResult RunKelvaneSort(const std::vector<std::string>& arguments, const std::string& folder,
                             RunAs user = RunAs::kSelf, const std::string& standardOutput = "");

}  // namespace kelvane::cli::testing
