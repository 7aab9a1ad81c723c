#include "sorting/section_boundaries.h"

#include <array>

#include "document/ascii_case.h"

namespace kelvane::sorting {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool IsStepLine(std::string_view text) {
  return text.size() >= 4 && document::EqualIgnoringAsciiCase(text.substr(text.size() - 4), "STEP");
}

bool IsModelBoundaryLine(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i >= text.size() || text[i] != '0') return false;
  ++i;
  const std::size_t afterZero = i;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i == afterZero) return false;
  std::size_t wordEnd = i;
  while (wordEnd < text.size() && !IsBlank(text[wordEnd])) ++wordEnd;
  const std::string_view word = text.substr(i, wordEnd - i);
  static constexpr std::array<std::string_view, 3> kBoundaryWords{"FILE", "NOFILE", "!DATA"};
  for (const std::string_view boundary : kBoundaryWords) {
    if (document::EqualIgnoringAsciiCase(word, boundary)) return true;
  }
  return false;
}

}  // namespace kelvane::sorting
