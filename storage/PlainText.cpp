#include "storage/PlainText.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The UTF-16 code units after the byte order mark, as UTF-8.
std::string Utf16ToUtf8(std::string_view units, bool bigEndian) {
  std::string out;
  out.reserve(units.size());
  const auto unitAt = [&](std::size_t i) -> char32_t {
    const char32_t first = static_cast<unsigned char>(units[i]), second = static_cast<unsigned char>(units[i + 1]);
    return bigEndian ? (first << 8 | second) : (second << 8 | first);
  };
  std::size_t i = 0;
  for (; i + 1 < units.size(); i += 2) {
    const char32_t unit = unitAt(i);
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (high && i + 3 < units.size()) {
      const char32_t next = unitAt(i + 2);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, high || low ? kReplacement : unit);
  }
  if (i < units.size()) AppendUtf8(out, kReplacement);
  return out;
}

}  // namespace

bool StartsAsUtf16(std::string_view bytes) {
  return bytes.starts_with(kUtf16LittleMark) || bytes.starts_with(kUtf16BigMark);
}

std::string PlainText(std::string_view bytes) {
  std::string decoded;
  if (StartsAsUtf16(bytes)) {
    decoded = Utf16ToUtf8(bytes.substr(2), bytes.starts_with(kUtf16BigMark));
    bytes = decoded;
  }
  if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
  if (bytes.find('\r') == std::string_view::npos && bytes.find('\xA0') == std::string_view::npos)
    return std::string(bytes);

  std::string plain;
  plain.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r') {
      plain += '\n';
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else if (c == '\xC2' && i + 1 < bytes.size() && bytes[i + 1] == '\xA0') {
      plain += ' ';
      ++i;
    } else if (c == '\xA0') {
      plain += ' ';
    } else {
      plain += c;
    }
  }
  return plain;
}
