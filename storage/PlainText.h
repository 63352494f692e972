#pragma once
// Text as other programs, editors, web pages and spreadsheets hand it on,
// made plain for reading line by line.

#include <string>
#include <string_view>

// The text as UTF-8 lines ended by '\n' alone:
//   - UTF-16 after its byte order mark (FF FE little-endian, FE FF
//     big-endian), as some Windows editors save text, becomes UTF-8; a lone
//     surrogate or a last odd byte becomes U+FFFD;
//   - a UTF-8 byte order mark at the start goes;
//   - CR LF and a CR alone end a line as '\n' does;
//   - a no-break space (U+00A0, also a lone byte A0 of a Windows-1252 text)
//     becomes a plain space.
// Other bytes stay as they are.
std::string PlainText(std::string_view bytes);

// Whether bytes begin with a UTF-16 byte order mark.
bool StartsAsUtf16(std::string_view bytes);
