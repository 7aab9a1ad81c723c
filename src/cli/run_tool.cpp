#include "cli/run_tool.h"

#include <climits>
#include <cstdlib>
#include <set>
#include <string>

#include "cli/command_line.h"
#include "cli/heap_preparation.h"
#include "cli/help_text.h"

namespace kelvane::cli {
namespace {

// The file a name leads to, links followed; empty when it does not exist.
std::string CanonicalPath(const std::string& file) {
  char resolved[PATH_MAX];
  return ::realpath(file.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

}  // namespace

int RunTool(const std::vector<std::string_view>& arguments, const SortFunction& sort, std::ostream& out,
            std::ostream& err, document::LineList& model) {
  const CommandLine commandLine = ParseCommandLine(arguments);
  switch (commandLine.action) {
    case CommandLine::Action::kShowHelp:
      out << HelpText() << std::flush;
      return out ? kExitSuccess : kExitFileFailed;
    case CommandLine::Action::kShowVersion:
      out << VersionText() << std::flush;
      return out ? kExitSuccess : kExitFileFailed;
    case CommandLine::Action::kUsageError:
      err << kProgramName << ": " << commandLine.error << "\n"
          << "Try '" << kProgramName << " --help' for more information.\n"
          << std::flush;
      return kExitUsage;
    case CommandLine::Action::kRun:
      break;
  }

  PrepareHeapForModels(commandLine.settings.files);
  int status = kExitSuccess;
  // A file named twice ("*.dat model.dat", or through a link) is sorted once: a second pass would
  // change nothing but its backup, which would then no longer hold the file as it was before the run.
  std::set<std::string> done;
  for (const std::string& file : commandLine.settings.files) {
    if (const std::string canonical = CanonicalPath(file);
        !canonical.empty() && !done.insert(canonical).second) {
      continue;
    }
    const FileOutcome outcome = SortFile(file, commandLine.settings, sort, model);
    if (!outcome.done) {
      err << kProgramName << ": " << outcome.message << "\n" << std::flush;
      status = kExitFileFailed;
    }
  }
  return status;
}

}  // namespace kelvane::cli
