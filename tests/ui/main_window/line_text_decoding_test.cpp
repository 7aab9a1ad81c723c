#include "ui/main_window/line_text_decoding.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvane::ui {
namespace {

struct DecodingCase {
  const char* what;
  std::string bytes;
  QString shown;
};

TEST(DecodeLineForDisplayTest, ShowsEveryByteOfTheLine) {
  const DecodingCase cases[] = {
      {"plain ASCII", "1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat", "1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat"},
      {"empty line", "", ""},
      {"UTF-8 author name", "0 Author: J\xC3\xBCrgen M\xC3\xBCller",
       QString::fromUtf8("0 Author: Jürgen Müller")},
      {"UTF-8 beyond the BMP", "0 \xF0\x9F\xA7\xB1", QString::fromUtf8("0 \xF0\x9F\xA7\xB1")},
      {"Windows-1252 e acute", "0 Author: Andr\xE9", QString::fromUtf8("0 Author: André")},
      {"Windows-1252 euro and quotes", "0 \x80 \x93quoted\x94", QString::fromUtf8("0 € “quoted”")},
      {"unassigned Windows-1252 byte", "0 \x81", QString::fromUtf8("0 \xC2\x81")},
      {"truncated UTF-8 sequence", "0 \xC3", QString::fromUtf8("0 Ã")},
      {"overlong UTF-8 is not UTF-8", "0 \xC0\xAF", QString::fromUtf8("0 À¯")},
      {"UTF-16 surrogate in UTF-8 form", "0 \xED\xA0\x80", QString::fromUtf8("0 í\xC2\xA0€")},
      {"tab stays a tab", "0\tcomment", "0\tcomment"},
      {"NUL shown as its symbol", std::string("0 a\0b", 5), QString::fromUtf8("0 a␀b")},
      {"escape and delete shown", "0 \x1B\x7F", QString::fromUtf8("0 ␛␡")},
      {"byte order mark kept",
       "\xEF\xBB\xBF"
       "0 Name",
       QChar(0xFEFF) + QString("0 Name")},
  };
  for (const DecodingCase& c : cases) {
    EXPECT_EQ(DecodeLineForDisplay(c.bytes), c.shown) << c.what;
  }
}

TEST(DecodeLineForDisplayTest, EveryWindows1252ByteGivesOneCharacter) {
  // A line that is not UTF-8 is decoded byte by byte: no byte may vanish or merge with its neighbour.
  std::string bytes = "\xFF";
  for (int value = 0x80; value <= 0xFF; ++value) bytes.push_back(static_cast<char>(value));
  EXPECT_EQ(DecodeLineForDisplay(bytes).size(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace
}  // namespace kelvane::ui
