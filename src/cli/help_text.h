#pragma once

#include <string>

namespace kelvane::cli {

inline constexpr const char* kProgramName = "kelvane-sort";

// The text of --help: the synopsis, every option with its default, and the exit statuses.
std::string HelpText();

// The text of --version: the program's name and the build's version.
std::string VersionText();

}  // namespace kelvane::cli
