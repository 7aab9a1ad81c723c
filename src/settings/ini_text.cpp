#include "settings/ini_text.h"

#include <cstdio>
#include <vector>

#include "text/ascii_case.h"

namespace kelvane::settings {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// A section or key name: "\" stands for "/", "%XX" and "%UXXXX" for the character of that number.
std::string UnescapedName(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const bool wide = name[i] == '%' && i + 1 < name.size() && name[i + 1] == 'U';
    const std::size_t digits = wide ? 4 : 2, start = i + (wide ? 2 : 1);
    unsigned code = 0;
    bool escaped = name[i] == '%' && start + digits <= name.size();
    for (std::size_t d = 0; escaped && d < digits; ++d) {
      const int digit = HexDigit(name[start + d]);
      escaped = digit >= 0;
      code = code * 16 + static_cast<unsigned>(digit);
    }
    if (escaped) {
      AppendUtf8(out, code);
      i = start + digits - 1;
    } else {
      out.push_back(name[i] == '\\' ? '/' : name[i]);
    }
  }
  return out;
}

std::string EscapedName(std::string_view name) {
  std::string out;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '/') {
      out.push_back('\\');
    } else if ((c >= '0' && c <= '9') || (text::LowerAscii(c) >= 'a' && text::LowerAscii(c) <= 'z') ||
               c == '_' || c == '-' || c == '.' || u >= 0x80) {
      out.push_back(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", u);
      out.append(hex);
    }
  }
  return out;
}

// A value after its "=": quotes group, backslashes escape, ";" outside quotes starts a comment, a comma
// outside quotes separates parts, blanks around unquoted parts do not count.
std::string UnescapedValue(std::string_view value) {
  std::vector<std::string> parts(1);
  std::size_t keep = 0;  // unquoted trailing blanks beyond this are dropped
  bool quoted = false;
  const auto endPart = [&] {
    if (parts.back().size() > keep) parts.back().resize(keep);
  };
  for (std::size_t i = value.find_first_not_of(kBlanks); i < value.size(); ++i) {
    const char c = value[i];
    if (c == '"') {
      quoted = !quoted;
      keep = parts.back().size();
    } else if (c == '\\' && i + 1 < value.size()) {
      const char e = value[++i];
      static constexpr std::string_view kFrom = "abfnrtv\"'?\\", kTo = "\a\b\f\n\r\t\v\"'?\\";
      if (const auto at = kFrom.find(e); at != std::string_view::npos) {
        parts.back().push_back(kTo[at]);
      } else if (e == 'x' || (e >= '0' && e <= '7')) {
        const int base = e == 'x' ? 16 : 8;
        unsigned code = e == 'x' ? 0 : static_cast<unsigned>(e - '0');
        for (int digit; i + 1 < value.size() && (digit = HexDigit(value[i + 1])) >= 0 && digit < base; ++i) {
          code = code * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        }
        AppendUtf8(parts.back(), code & 0xFFFF);
      }
      keep = parts.back().size();
    } else if (!quoted && c == ';') {
      break;
    } else if (!quoted && c == ',') {
      endPart();
      parts.emplace_back();
      i = value.find_first_not_of(kBlanks, i + 1) - 1;
      keep = 0;
    } else {
      parts.back().push_back(c);
      if (quoted || (c != ' ' && c != '\t')) keep = parts.back().size();
    }
  }
  endPart();
  std::string text = parts[0];
  for (std::size_t p = 1; p < parts.size(); ++p) text.append(", ").append(parts[p]);
  return text;
}

std::string EscapedValue(std::string_view text) {
  std::string out = text.starts_with('@') ? "@" : "";
  bool needsQuotes = !text.empty() && (text.front() == ' ' || text.back() == ' ');
  bool afterNumber = false;  // a hex digit right after "\xNN" or "\0" would be read as part of it
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    needsQuotes = needsQuotes || c == ';' || c == ',' || c == '=';
    static constexpr std::string_view kFrom = "\a\b\f\n\r\t\v\"\\", kTo = "abfnrtv\"\\";
    if (afterNumber && HexDigit(c) >= 0) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%x", u);
      out.append(hex);
      continue;
    }
    afterNumber = false;
    if (const auto at = c == '\0' ? std::string_view::npos : kFrom.find(c); at != std::string_view::npos) {
      out.push_back('\\');
      out.push_back(kTo[at]);
    } else if (u < 0x20 || u == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%x", u);
      out.append(hex);
      afterNumber = true;
    } else {
      out.push_back(c);
    }
  }
  return needsQuotes ? "\"" + out + "\"" : out;
}

}  // namespace

IniValues ParseIni(std::string_view text) {
  IniValues values;
  std::string section;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::string_view name = Trimmed(line.substr(1, line.find(']') - 1));
      if (text::EqualIgnoringAsciiCase(name, "general")) {
        section.clear();
      } else {
        section = text::EqualIgnoringAsciiCase(name, "%general") ? "General/" : UnescapedName(name) + "/";
      }
      continue;
    }
    std::size_t equals = 0;
    for (bool quoted = false; equals < line.size() && (quoted || line[equals] != '='); ++equals) {
      if (line[equals] == '"') quoted = !quoted;
    }
    const std::string key = UnescapedName(Trimmed(line.substr(0, equals)));
    if (equals == line.size() || key.empty()) continue;
    std::string value = UnescapedValue(line.substr(equals + 1));
    if (value.starts_with("@@")) value.erase(0, 1);
    values[section + key] = std::move(value);
  }
  return values;
}

std::string FormatIni(const IniValues& values) {
  std::string text, section = "\n";  // no section can be named that
  for (const auto& [path, value] : values) {
    const auto slash = path.find('/');
    const std::string keySection = slash == std::string::npos ? "" : path.substr(0, slash);
    if (keySection != section) {
      if (!text.empty()) text.push_back('\n');
      section = keySection;
      // Keys outside any section go under [General]; a section really named so is written escaped.
      const std::string name = section.empty()                                    ? "General"
                               : text::EqualIgnoringAsciiCase(section, "general") ? "%General"
                                                                                  : EscapedName(section);
      text.append("[").append(name).append("]\n");
    }
    const std::string_view key =
        slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
    text.append(EscapedName(key)).append("=").append(EscapedValue(value)).append("\n");
  }
  return text;
}

}  // namespace kelvane::settings
