#include "ui/main_window/line_text_decoding.h"

#include <QStringDecoder>
#include <array>

namespace kelvane::ui {
namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their C1 code points, like Windows does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString DecodeWindows1252(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    *out++ = (value >= 0x80 && value < 0xA0) ? QChar(kWindows1252High[value - 0x80]) : QChar(value);
  }
  return text;
}

constexpr char16_t kControlPictures = 0x2400;  // U+2400 SYMBOL FOR NULL .. U+241F
constexpr char16_t kDeletePicture = 0x2421;

void ShowControlCharacters(QString& text) {
  for (QChar& c : text) {
    const char16_t code = c.unicode();
    if (code < 0x20 && code != u'\t') c = QChar(static_cast<char16_t>(kControlPictures + code));
    if (code == 0x7F) c = QChar(kDeletePicture);
  }
}

}  // namespace

QString DecodeLineForDisplay(std::string_view bytes) {
  // A line of hundreds of megabytes would take the text layout down with it; nobody reads past a few
  // thousand characters in a list anyway. The cut goes back to the start of a UTF-8 sequence.
  const bool cut = bytes.size() > kLongestShownLine;
  if (cut) {
    std::size_t end = kLongestShownLine;
    while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) --end;
    bytes = bytes.substr(0, end);
  }
  // The byte order mark is kept as a character: it is part of the line's bytes, and dropping it would
  // make the first line look different from the others for no reason.
  QStringDecoder utf8(QStringDecoder::Utf8,
                      QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (utf8.hasError()) text = DecodeWindows1252(bytes);
  ShowControlCharacters(text);
  if (cut) text += QChar(0x2026);  // HORIZONTAL ELLIPSIS
  return text;
}

}  // namespace kelvane::ui
