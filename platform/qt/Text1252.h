#pragma once
// The program's texts are Windows-1252 bytes; Qt speaks UTF-16. This is the
// one place they are converted.

#include <QString>

#include <string>
#include <string_view>

namespace qtws {

// Every byte becomes one character: 0x80 to 0x9F by the code page's table
// (0x80 is the euro sign), all others are the same as in Latin-1.
QString FromWindows1252(std::string_view text);

// The other way: a character beyond the code page becomes '?'.
std::string ToWindows1252(const QString& text);

// As FromWindows1252, for static texts: a carriage return alone or followed
// by a line feed breaks the line, as the system's static texts show it.
QString FromWindows1252Lines(std::string_view text);

}  // namespace qtws
