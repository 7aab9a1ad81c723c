#include "cli/command_line.h"

#include <algorithm>
#include <array>

#include "text/ascii_case.h"

namespace kelvane::cli {
namespace {

using Action = CommandLine::Action;

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), text::LowerAscii);
  return lower;
}

std::string Quoted(std::string_view text) { return std::string("'").append(text).append("'"); }

std::optional<sorting::SortKey> ParseSortKey(std::string_view value) {
  const std::string word = Lowercase(value);
  if (word == "coordinates") return sorting::SortKey::kCoordinates;
  if (word == "part") return sorting::SortKey::kPartNumber;
  if (word == "color") return sorting::SortKey::kColor;
  return std::nullopt;
}

std::optional<bool> ParseAscending(std::string_view value) {
  const std::string word = Lowercase(value);
  if (word == "ascending") return true;
  if (word == "descending") return false;
  return std::nullopt;
}

std::optional<document::LineEnd> ParseLineEnd(std::string_view value) {
  const std::string word = Lowercase(value);
  if (word == "crlf") return document::LineEnd::kCrLf;
  if (word == "lf") return document::LineEnd::kLf;
  return std::nullopt;
}

std::optional<std::array<int, 3>> ParseKeyOrder(std::string_view value) {
  const std::string axes = Lowercase(value);
  if (axes.size() != 3) return std::nullopt;
  std::array<int, 3> order{};
  std::array<bool, 3> seen{};
  for (std::size_t k = 0; k < 3; ++k) {
    if (axes[k] < 'x' || axes[k] > 'z') return std::nullopt;
    const int axis = axes[k] - 'x';
    if (seen[axis]) return std::nullopt;
    seen[axis] = true;
    order[k] = axis;
  }
  return order;
}

// The options and how each one is read.
enum class OptionId {
  kBy,
  kOrder,
  kX,
  kY,
  kZ,
  kPart,
  kColor,
  kLines,
  kOutput,
  kSteps,
  kNoSteps,
  kBackup,
  kNoBackup,
  kCheck,
  kEol,
  kAnyName,
  kVerbose,
  kHelp,
  kVersion,
};

struct KnownOption {
  std::string_view name;  // as written on the command line
  OptionId id;
  bool takesValue;
};

constexpr std::array<KnownOption, 22> kOptions{{
    {"--by", OptionId::kBy, true},
    {"--order", OptionId::kOrder, true},
    {"--x", OptionId::kX, true},
    {"--y", OptionId::kY, true},
    {"--z", OptionId::kZ, true},
    {"--part", OptionId::kPart, true},
    {"--color", OptionId::kColor, true},
    {"--lines", OptionId::kLines, true},
    {"--output", OptionId::kOutput, true},
    {"-o", OptionId::kOutput, true},
    {"--steps", OptionId::kSteps, false},
    {"--no-steps", OptionId::kNoSteps, false},
    {"--backup", OptionId::kBackup, false},
    {"--no-backup", OptionId::kNoBackup, false},
    {"--check", OptionId::kCheck, false},
    {"--eol", OptionId::kEol, true},
    {"--any-name", OptionId::kAnyName, false},
    {"--verbose", OptionId::kVerbose, false},
    {"-v", OptionId::kVerbose, false},
    {"--help", OptionId::kHelp, false},
    {"-h", OptionId::kHelp, false},
    {"--version", OptionId::kVersion, false},
}};

const KnownOption* FindOption(std::string_view name) {
  for (const KnownOption& option : kOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string_view>& arguments) : arguments_(arguments) {}

  CommandLine Run() {
    bool optionsEnded = false;
    for (next_ = 0; next_ < arguments_.size() && result_.action == Action::kRun;) {
      const std::string_view argument = arguments_[next_++];
      if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
        result_.settings.files.emplace_back(argument);
      } else if (argument == "--") {
        optionsEnded = true;
      } else {
        ReadOption(argument);
      }
    }
    if (result_.action == Action::kRun) CheckFiles();
    return std::move(result_);
  }

 private:
  void Fail(std::string message) {
    result_.action = Action::kUsageError;
    result_.error = std::move(message);
  }

  void ReadOption(std::string_view argument) {
    std::string_view name = argument;
    std::optional<std::string_view> value;
    if (argument.starts_with("--")) {
      if (const auto equals = argument.find('='); equals != std::string_view::npos) {
        name = argument.substr(0, equals);
        value = argument.substr(equals + 1);
      }
    } else if (argument.size() > 2) {
      // "-oPATH": a short option with its value attached.
      name = argument.substr(0, 2);
      value = argument.substr(2);
    }
    const KnownOption* option = FindOption(name);
    if (option == nullptr) return Fail("unknown option " + Quoted(argument));
    if (!option->takesValue && value) return Fail("option " + Quoted(name) + " takes no value");
    if (option->takesValue && !value) {
      if (next_ == arguments_.size()) return Fail("option " + Quoted(name) + " needs a value");
      value = arguments_[next_++];
    }
    Apply(*option, value.value_or(std::string_view()));
  }

  void BadValue(const KnownOption& option, std::string_view value, std::string_view expected) {
    Fail(std::string("invalid value ") + Quoted(value) + " for " + std::string(option.name) + " (" +
         std::string(expected) + ")");
  }

  void SetDirection(const KnownOption& option, std::string_view value, bool& ascending) {
    if (const auto parsed = ParseAscending(value)) {
      ascending = *parsed;
    } else {
      BadValue(option, value, "ascending or descending");
    }
  }

  void Apply(const KnownOption& option, std::string_view value) {
    RunSettings& settings = result_.settings;
    switch (option.id) {
      case OptionId::kBy:
        if (const auto key = ParseSortKey(value)) {
          settings.sort.sortKey = *key;
        } else {
          BadValue(option, value, "coordinates, part or color");
        }
        break;
      case OptionId::kOrder:
        if (const auto order = ParseKeyOrder(value)) {
          settings.sort.keyOrder = *order;
        } else {
          BadValue(option, value, "x, y and z, each once, first key first, e.g. yzx");
        }
        break;
      case OptionId::kX:
        SetDirection(option, value, settings.sort.xAscending);
        break;
      case OptionId::kY:
        SetDirection(option, value, settings.sort.yAscending);
        break;
      case OptionId::kZ:
        SetDirection(option, value, settings.sort.zAscending);
        break;
      case OptionId::kPart:
        SetDirection(option, value, settings.sort.partAscending);
        break;
      case OptionId::kColor:
        SetDirection(option, value, settings.sort.colorAscending);
        break;
      case OptionId::kLines:
        if (auto ranges = ParseLineRanges(value)) {
          if (!settings.lines) settings.lines.emplace();
          settings.lines->insert(settings.lines->end(), ranges->begin(), ranges->end());
        } else {
          BadValue(option, value,
                   "line numbers A or ranges A-B with 1 <= A <= B, separated by commas, e.g. 3-40,52");
        }
        break;
      case OptionId::kOutput:
        if (settings.output) return Fail("more than one output given");
        if (value.empty()) return Fail("empty output path");
        settings.output = std::string(value);
        break;
      case OptionId::kSteps:
        settings.sort.betweenSteps = true;
        break;
      case OptionId::kNoSteps:
        settings.sort.betweenSteps = false;
        break;
      case OptionId::kBackup:
        settings.backup = true;
        break;
      case OptionId::kNoBackup:
        settings.backup = false;
        break;
      case OptionId::kCheck:
        settings.check = true;
        break;
      case OptionId::kEol:
        if (const auto lineEnd = ParseLineEnd(value)) {
          settings.lineEnd = *lineEnd;
        } else {
          BadValue(option, value, "crlf or lf");
        }
        break;
      case OptionId::kAnyName:
        settings.anyName = true;
        break;
      case OptionId::kVerbose:
        settings.verbose = true;
        break;
      case OptionId::kHelp:
        result_.action = Action::kShowHelp;
        break;
      case OptionId::kVersion:
        result_.action = Action::kShowVersion;
        break;
    }
  }

  void CheckFiles() {
    const RunSettings& settings = result_.settings;
    if (settings.files.empty()) return Fail("no FILE given");
    if (std::count(settings.files.begin(), settings.files.end(), kStandardInputName) > 1) {
      return Fail("standard input (-) given more than once");
    }
    if (settings.check && settings.output) return Fail("--check writes nothing, so it takes no --output");
    if (settings.output && settings.files.size() > 1) {
      return Fail("--output works with a single FILE, not " + std::to_string(settings.files.size()));
    }
  }

  const std::vector<std::string_view>& arguments_;
  std::size_t next_ = 0;
  CommandLine result_;
};

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string_view>& arguments) {
  return Parser(arguments).Run();
}

}  // namespace kelvane::cli
