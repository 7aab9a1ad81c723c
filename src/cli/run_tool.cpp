#include "cli/run_tool.h"

#include "cli/command_line.h"
#include "cli/heap_preparation.h"
#include "cli/help_text.h"

namespace kelvane::cli {

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
    case CommandLine::Action::kRun: break;
  }

  PrepareHeapForModels(commandLine.settings.files);
  int status = kExitSuccess;
  for (const std::string& file : commandLine.settings.files) {
    const FileOutcome outcome = SortFile(file, commandLine.settings, sort, model);
    if (!outcome.done) {
      err << kProgramName << ": " << outcome.message << "\n" << std::flush;
      status = kExitFileFailed;
    }
  }
  return status;
}

}  // namespace kelvane::cli
