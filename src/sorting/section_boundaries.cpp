#include "sorting/section_boundaries.h"

#include <initializer_list>

#include "text/ascii_case.h"
#include "text/blank_fields.h"

namespace kelvane::sorting {

namespace {

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  for (const std::string_view candidate : words) {
    if (text::EqualIgnoringAsciiCase(word, candidate)) return true;
  }
  return false;
}

bool IsBracketMeta(std::string_view command, text::FieldReader& rest) {
  if (IsOneOf(command, {"!LPUB", "LPUB", "!LEOCAD"})) {
    rest.Next();  // what the bracket encloses: PLI, PART, GROUP, CALLOUT, MULTI_STEP, ...
    return IsOneOf(rest.Next(), {"BEGIN", "END", "DIVIDER"});
  }
  if (text::EqualIgnoringAsciiCase(command, "MLCAD")) return IsOneOf(rest.Next(), {"SKIP_BEGIN", "SKIP_END"});
  return text::EqualIgnoringAsciiCase(command, "BUFEXCHG");
}

}  // namespace

bool ClosesSection(std::string_view text, bool betweenSteps) {
  if (betweenSteps && text::EndsWithIgnoringAsciiCase(text, "STEP")) return true;
  text::FieldReader fields(text);
  if (fields.Next() != "0") return false;
  const std::string_view command = fields.Next();
  if (betweenSteps && IsOneOf(command, {"STEP", "ROTSTEP"})) return true;
  return IsOneOf(command, {"FILE", "NOFILE", "!DATA"}) || IsBracketMeta(command, fields);
}

bool IsAttachedMetaLine(std::string_view text) {
  text::FieldReader fields(text);
  if (fields.Next() != "0") return false;
  const std::string_view command = fields.Next();
  const std::string_view what = fields.Next();
  return (text::EqualIgnoringAsciiCase(command, "BFC") && text::EqualIgnoringAsciiCase(what, "INVERTNEXT")) ||
         (text::EqualIgnoringAsciiCase(command, "MLCAD") && text::EqualIgnoringAsciiCase(what, "BTG")) ||
         (text::EqualIgnoringAsciiCase(command, "!LEOCAD") && text::EqualIgnoringAsciiCase(what, "PIECE"));
}

}  // namespace kelvane::sorting
