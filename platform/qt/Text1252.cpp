#include "platform/qt/Text1252.h"

#include <array>

namespace qtws {

namespace {

// 0x80 to 0x9F. The five bytes the code page leaves undefined (81, 8D, 8F, 90,
// 9D) map to the control characters of the same number, as the system does.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char16_t CharOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighTable[byte - 0x80u];
  return byte;
}

}  // namespace

QString FromWindows1252(std::string_view text) {
  QString result(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
  QChar* out = result.data();
  for (char c : text) *out++ = QChar(CharOf(static_cast<unsigned char>(c)));
  return result;
}

std::string ToWindows1252(const QString& text) {
  std::string result;
  result.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text) {
    const char16_t code = c.unicode();
    char byte = '?';
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
      byte = static_cast<char>(code);
    } else {
      for (std::size_t i = 0; i < kHighTable.size(); ++i)
        if (kHighTable[i] == code) byte = static_cast<char>(0x80 + i);
    }
    result += byte;
  }
  return result;
}

QString FromWindows1252Lines(std::string_view text) {
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      result += QChar(u'\n');
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += QChar(CharOf(static_cast<unsigned char>(text[i])));
    }
  }
  return result;
}

}  // namespace qtws
