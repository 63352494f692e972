#pragma once
// The preferences store: one text file of comment lines ("; " + text), group
// headers ("[" + name + "]") and entries (key + " = " + value), CR LF after
// every line. One store exists; opening or creating closes the open one.
//
// Keys match without regard to ASCII letter case. Lookups see only the
// entries above the first group header. A file that starts with the UTF-8
// byte-order mark is read as UTF-8: its values are decoded to single bytes
// U+0000 to U+00FF, and a value holding any other character reads as "".

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Closes any open store, then reads the existing file at path whole.
// False when it cannot be opened, or is too large to be held in memory. The
// store holds the file about once.
bool PrefsOpen(const std::string& path);

// Closes any open store and opens one over the bytes of a file already in
// memory; closing it writes no file.
void PrefsOpenText(std::string text);

// The key's value as a decimal number (leading blanks, optional sign, digits
// up to the first other character; no digits gives 0; clamped to 32 bits),
// or defaultValue when the key is missing.
std::int32_t PrefsReadNumber(const std::string& key, std::int32_t defaultValue);

// The key's value without trailing blanks, or defaultValue when it is missing.
std::string PrefsReadText(const std::string& key, const std::string& defaultValue);

// Closes any open store and starts an empty one in single-byte mode for path.
// False when the file cannot be created there.
bool PrefsCreate(const std::string& path);

// Closes any open store and starts an empty one in memory; closing it writes
// no file.
void PrefsCreateText();

// Inserts a comment after the item written last (first when none was).
void PrefsWriteComment(const std::string& text);

// Sets the key to the number in "%d" form; a new key goes after the last
// entry above the first group header.
void PrefsWriteNumber(const std::string& key, std::int32_t value);

// Sets the key to the text, like PrefsWriteNumber. Keys hold no line break
// and no "="; a comment is written up to its first line break, and a text
// holding a line break is written as empty text, so the store never writes
// a line it did not mean.
void PrefsWriteText(const std::string& key, const std::string& value);

// True when a text written as a value reads back unchanged: it holds no line
// break and neither starts nor ends with a blank.
bool PrefsTextReadsBack(std::string_view text);

// The items of the open store that are none of the program's own: the
// entries above the first group header whose key is none of keys, and
// every item from that header on; one a line, each ending in "\n".
std::string PrefsOtherItems(std::initializer_list<std::string_view> keys);

// Appends items as PrefsOtherItems gives them at the end of the open store.
void PrefsAppendItems(std::string_view items);

// The bytes PrefsClose would write for the open store.
std::string PrefsFileText();

// When anything was written since opening or creating, replaces the file
// with the whole list (the old file stays whole until the new one is
// complete). Then releases the store.
void PrefsClose();
