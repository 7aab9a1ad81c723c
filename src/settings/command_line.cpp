#include "settings/command_line.h"

#include <filesystem>
#include <system_error>

#include "text/ascii_case.h"

namespace kelvane::settings {
namespace {

bool IsSeparator(char c, PathStyle style) { return c == '/' || (style == PathStyle::kWindows && c == '\\'); }

}  // namespace

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string text;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) text += ' ';
    text += arguments[i];
  }
  return text;
}

std::optional<CommandLineFile> ModelFileFromCommandLine(std::string_view commandLine, PathStyle style) {
  std::size_t nameStart = commandLine.size();
  while (nameStart > 0 && !IsSeparator(commandLine[nameStart - 1], style)) --nameStart;
  const std::string_view fileName = commandLine.substr(nameStart);
  if (!text::EndsWithIgnoringAsciiCase(fileName, "dat") && !text::EndsWithIgnoringAsciiCase(fileName, ".ldr") &&
      !text::EndsWithIgnoringAsciiCase(fileName, ".mpd")) {
    return std::nullopt;
  }
  return CommandLineFile{std::string(commandLine.substr(0, nameStart)), std::string(fileName)};
}

std::string AbsoluteCommandLine(std::string_view commandLine, std::string_view currentFolder) {
  if (commandLine.empty() || commandLine.front() == '/') return std::string(commandLine);
  return WithFinalSeparator(std::string(currentFolder), PathStyle::kPosix) + std::string(commandLine);
}

std::string FallbackDatFolder(std::string_view homeFolder, PathStyle style) {
  if (style == PathStyle::kWindows) return "C:\\";
  if (homeFolder.empty()) return "/";
  return WithFinalSeparator(std::string(homeFolder), style);
}

std::string WithFinalSeparator(std::string folder, PathStyle style) {
  if (!folder.empty() && !IsSeparator(folder.back(), style)) {
    folder += style == PathStyle::kWindows ? '\\' : '/';
  }
  return folder;
}

bool FolderExists(const std::string& folder) {
  std::error_code error;
  return std::filesystem::is_directory(folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder),
                                       error);
}

}  // namespace kelvane::settings
