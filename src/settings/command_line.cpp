#include "settings/command_line.h"

#include <filesystem>
#include <system_error>

#include "text/ascii_case.h"

namespace kelvane::settings {
std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string text;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) text += ' ';
    text += arguments[i];
  }
  return text;
}

std::optional<CommandLineFile> ModelFileFromCommandLine(std::string_view commandLine) {
  const std::size_t nameStart = commandLine.rfind('/') + 1;  // 0 when there is no folder part
  const std::string_view fileName = commandLine.substr(nameStart);
  if (!text::EndsWithIgnoringAsciiCase(fileName, "dat") &&
      !text::EndsWithIgnoringAsciiCase(fileName, ".ldr") &&
      !text::EndsWithIgnoringAsciiCase(fileName, ".mpd")) {
    return std::nullopt;
  }
  return CommandLineFile{std::string(commandLine.substr(0, nameStart)), std::string(fileName)};
}

std::string AbsoluteCommandLine(std::string_view commandLine, std::string_view currentFolder) {
  if (commandLine.empty() || commandLine.front() == '/') return std::string(commandLine);
  return WithFinalSeparator(std::string(currentFolder)) + std::string(commandLine);
}

std::string FallbackDatFolder(std::string_view homeFolder) {
  if (homeFolder.empty()) return "/";
  return WithFinalSeparator(std::string(homeFolder));
}

std::string WithFinalSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

bool FolderExists(const std::string& folder) {
  std::error_code error;
  return std::filesystem::is_directory(
      folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder), error);
}

}  // namespace kelvane::settings
