#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::settings {

// The command-line text: the program's arguments (without the program's name) joined by single
// spaces, so a path with spaces that the shell split into several arguments is whole again.
std::string JoinArguments(const std::vector<std::string>& arguments);

struct CommandLineFile {
  std::string folder;    // everything up to and including the last separator; may be empty
  std::string fileName;  // the rest
};

// The model file named on the command line: the text is taken as one path, whose file name is what
// follows its last separator. Only a model file name counts: one that ends in "dat", ".ldr" or ".mpd"
// in any letter case (the desktop opens all three kinds with the program); anything else (a folder,
// a path in double quotes) gives nothing and the command line is ignored. The text is used as it is:
// no quotes or blanks are removed.
std::optional<CommandLineFile> ModelFileFromCommandLine(std::string_view commandLine);

// The command-line text as a path that means the same folder from anywhere: a relative path gets
// `currentFolder` in front of it, so that the folder remembered at the close is found again at the
// next start. An empty text stays empty.
std::string AbsoluteCommandLine(std::string_view commandLine, std::string_view currentFolder);

// The DAT folder to use where nothing else is known: the user's home folder with a final "/".
std::string FallbackDatFolder(std::string_view homeFolder);

// The folder with a final separator, so that folder + file name is a path. An empty folder (the
// current one) stays empty.
std::string WithFinalSeparator(std::string folder);

// Whether a folder exists; the empty folder is the current one.
bool FolderExists(const std::string& folder);

}  // namespace kelvane::settings
