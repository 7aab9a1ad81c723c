#pragma once

#include <map>
#include <string>
#include <string_view>

namespace kelvane::settings {

// The values of a settings file, by "Section/Key" ("Key" alone for a key before any section or under
// [General]), each a plain text.
using IniValues = std::map<std::string, std::string>;

// Reads the text of an INI file as QSettings writes it and as people edit it: [Section] lines, Key=Value
// lines, ";" comments, values optionally in double quotes with C-style escapes, "%XX" escapes in names.
// Every value is text: a typed value such as "@Variant(...)" or "@ByteArray(...)" stays exactly those
// characters and is never decoded; only the "@@" that marks a text beginning with "@" loses one "@". A
// value with commas outside quotes reads as its parts joined by ", ", which is how a folder such as
// "/home/u/a, b/" typed by hand was meant. Lines that make no sense are passed over, so a damaged file
// still gives what can be read of it.
IniValues ParseIni(std::string_view text);

// The text of an INI file holding the values, in the form ParseIni() and QSettings read back as they
// were: sections in name order, a text beginning with "@" written with "@@", quotes where blanks or
// separators would otherwise be lost.
std::string FormatIni(const IniValues& values);

}  // namespace kelvane::settings
