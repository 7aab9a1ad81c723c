#include "sorting/section_boundaries.h"

#include <array>

namespace kelvane::sorting {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Folds ASCII letters only: bytes of 0x80 and above are never letters here, whatever the locale.
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether `text` equals `upperWord` (given in upper case) up to ASCII case.
bool EqualsIgnoringAsciiCase(std::string_view text, std::string_view upperWord) {
  if (text.size() != upperWord.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (UpperAscii(text[i]) != upperWord[i]) return false;
  }
  return true;
}

}  // namespace

bool IsStepLine(std::string_view text) {
  return text.size() >= 4 && EqualsIgnoringAsciiCase(text.substr(text.size() - 4), "STEP");
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
    if (EqualsIgnoringAsciiCase(word, boundary)) return true;
  }
  return false;
}

}  // namespace kelvane::sorting
