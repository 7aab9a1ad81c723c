#include "cli/run_tool.h"

#include <climits>
#include <cstdlib>
#include <set>
#include <string>

#include "cli/command_line.h"
#include "cli/help_text.h"
#include "text/ascii_case.h"

namespace kelvane::cli {
namespace {

// The file a name leads to, links followed; empty when it does not exist.
std::string CanonicalPath(const std::string& file) {
  char resolved[PATH_MAX];
  return ::realpath(file.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

// A model file's name ends in .dat, .ldr or .mpd, in any letter case. Anything else is far more
// likely a picture or a note caught by a wildcard than a model, and would be rewritten with new line
// ends.
bool IsModelFileName(std::string_view file) {
  return text::EndsWithIgnoringAsciiCase(file, ".dat") || text::EndsWithIgnoringAsciiCase(file, ".ldr") ||
         text::EndsWithIgnoringAsciiCase(file, ".mpd");
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

  const RunSettings& settings = commandLine.settings;
  int status = kExitSuccess;
  // A file named twice ("*.dat model.dat", or through a link) is sorted once: a second pass would
  // change nothing but its backup, which would then no longer hold the file as it was before the run.
  std::set<std::string> done;
  for (const std::string& file : settings.files) {
    const bool standardInput = file == kStandardInputName;
    if (const std::string canonical = standardInput ? std::string() : CanonicalPath(file);
        !canonical.empty() && !done.insert(canonical).second) {
      continue;
    }
    if (!standardInput && !settings.anyName && !IsModelFileName(file)) {
      err << kProgramName << ": " << file
          << ": not an LDraw model file name (.dat, .ldr, .mpd); use --any-name to sort it anyway\n"
          << std::flush;
      status = kExitFileFailed;
      continue;
    }
    const FileOutcome outcome = SortFile(file, settings, sort, model);
    if (!outcome.done) {
      err << kProgramName << ": " << outcome.message << "\n" << std::flush;
      status = kExitFileFailed;
      continue;
    }
    if (settings.verbose) {
      err << (standardInput ? kStandardInputMessageName : std::string_view(file)) << ": ";
      if (outcome.moved == 0) {
        err << "unchanged\n" << std::flush;
      } else {
        err << outcome.moved << " part lines moved\n" << std::flush;
      }
    }
    if (settings.check && outcome.moved > 0) {
      out << file << "\n";
      status = kExitFileFailed;
    }
  }
  out << std::flush;
  return status;
}

}  // namespace kelvane::cli
