#include "storage/Prefs.h"

#include <algorithm>
#include <limits>
#include <new>
#include <optional>
#include <string_view>

#include "storage/FileReplace.h"

namespace {

// The store keeps the lines in one text, as read from the file and changed
// by the writes since, so that holding a file takes little more memory than
// the file itself. Each non-empty line (after its leading blanks) is an item.
struct PrefsStore {
  bool open = false;
  bool mayWrite = false;
  bool utf8 = false;
  bool changed = false;
  std::string path;            // "" for a store held only in memory
  std::string text;            // the lines, without the byte-order mark
  std::size_t writtenEnd = 0;  // where the item written last ends in text
  bool anyWritten = false;
};

PrefsStore gStore;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// Single bytes (standing for U+0000 to U+00FF) as UTF-8.
std::string EncodeUtf8(std::string_view bytes) {
  std::string text;
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return text;
}

// UTF-8 as single bytes; "" when the text is not valid UTF-8 or holds a
// character beyond U+00FF.
std::string DecodeUtf8(std::string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      bytes += static_cast<char>(lead);
      continue;
    }
    if ((lead != 0xC2 && lead != 0xC3) || i + 1 >= text.size()) return {};
    auto next = static_cast<unsigned char>(text[++i]);
    if ((next & 0xC0) != 0x80) return {};
    bytes += static_cast<char>(((lead & 0x1F) << 6) | (next & 0x3F));
  }
  return bytes;
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// One item: its line in the store's text from its first non-blank byte up to
// the line break (or the end of the text).
struct Line {
  std::size_t begin = 0;
  std::size_t end = 0;
};

enum class Kind { Group, Comment, Entry };

// The items of a text in order. A line ends at CR or LF, runs of them are
// skipped, and lines holding only blanks are no items. Each byte is looked at
// a bounded number of times, however the lines are laid out.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text), nextCr_(Find('\r', 0)), nextLf_(Find('\n', 0)) {}

  bool Next(Line& line) {
    while (pos_ < text_.size()) {
      while (pos_ < text_.size() && IsLineBreak(text_[pos_])) ++pos_;
      if (pos_ >= text_.size()) break;
      if (nextCr_ < pos_) nextCr_ = Find('\r', pos_);
      if (nextLf_ < pos_) nextLf_ = Find('\n', pos_);
      const std::size_t end = std::min(nextCr_, nextLf_);
      std::size_t begin = pos_;
      while (begin < end && IsBlank(text_[begin])) ++begin;
      pos_ = end;
      if (begin < end) {
        line = {begin, end};
        return true;
      }
    }
    return false;
  }

 private:
  std::size_t Find(char c, std::size_t from) const { return std::min(text_.find(c, from), text_.size()); }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t nextCr_;
  std::size_t nextLf_;
};

std::string_view Content(const Line& line) {
  return std::string_view(gStore.text).substr(line.begin, line.end - line.begin);
}

Kind KindOf(std::string_view content) {
  if (content.front() == ';') return Kind::Comment;
  if (content.front() == '[') return Kind::Group;
  return Kind::Entry;
}

// An entry's key: up to the "=" (or the whole line), trailing blanks removed.
std::string_view KeyOf(std::string_view content) { return TrimRight(content.substr(0, content.find('='))); }

// An entry's value: after the "=" and the blanks that follow it.
std::string_view ValueOf(std::string_view content) {
  const std::size_t equals = content.find('=');
  return equals == std::string_view::npos ? std::string_view() : TrimLeft(content.substr(equals + 1));
}

// The first entry for key above the first group header.
std::optional<Line> FindEntry(const std::string& key) {
  if (!gStore.open) return std::nullopt;
  const std::string wanted = gStore.utf8 ? EncodeUtf8(key) : key;
  LineReader reader(gStore.text);
  Line line;
  while (reader.Next(line)) {
    const std::string_view content = Content(line);
    const Kind kind = KindOf(content);
    if (kind == Kind::Group) break;
    if (kind == Kind::Entry && SameKey(KeyOf(content), wanted)) return line;
  }
  return std::nullopt;
}

// Where a new entry goes: at the first group header, or after the last item.
std::size_t EndOfEntries() {
  LineReader reader(gStore.text);
  Line line;
  while (reader.Next(line))
    if (KindOf(Content(line)) == Kind::Group) return line.begin;
  return gStore.text.size();
}

std::string StoredText(std::string_view text) { return gStore.utf8 ? EncodeUtf8(text) : std::string(text); }

// Puts a new item's line at offset in the text: the start of the text or of
// an item, or the end of an item's content or of the text.
void InsertLine(std::size_t offset, const std::string& line) {
  std::string& text = gStore.text;
  if (offset == 0 || (offset < text.size() && !IsLineBreak(text[offset]))) {
    text.insert(offset, line + "\n");
    gStore.writtenEnd = offset + line.size();
  } else if (IsLineBreak(text[offset - 1])) {
    text.insert(offset, line);
    gStore.writtenEnd = offset + line.size();
  } else {
    text.insert(offset, "\n" + line);
    gStore.writtenEnd = offset + 1 + line.size();
  }
  gStore.anyWritten = true;
  gStore.changed = true;
}

// Line breaks would make a text value or comment more lines than one; such a
// value is written as empty text, a comment up to its first break.
std::string_view OneLine(std::string_view text) {
  return text.substr(0, std::min(text.find_first_of("\r\n"), text.size()));
}

void WriteEntry(const std::string& key, std::string_view value) {
  if (!gStore.open) return;
  if (OneLine(value).size() != value.size()) value = {};
  if (const std::optional<Line> found = FindEntry(key)) {
    const std::string line = std::string(KeyOf(Content(*found))) + " = " + StoredText(value);
    gStore.text.replace(found->begin, found->end - found->begin, line);
    gStore.writtenEnd = found->begin + line.size();
    gStore.anyWritten = true;
    gStore.changed = true;
    return;
  }
  InsertLine(EndOfEntries(), StoredText(key) + " = " + StoredText(value));
}

std::int32_t ParseNumber(std::string_view text) {
  text = TrimLeft(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    magnitude = std::min(magnitude * 10 + (c - '0'), kLimit);
  }
  const std::int64_t value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
  return static_cast<std::int32_t>(value);
}

}  // namespace

bool PrefsTextReadsBack(std::string_view text) {
  return OneLine(text).size() == text.size() && TrimLeft(text).size() == text.size() &&
         TrimRight(text).size() == text.size();
}

void PrefsOpenText(std::string text) {
  PrefsClose();
  gStore.open = true;
  if (std::string_view(text).starts_with(kByteOrderMark)) {
    gStore.utf8 = true;
    text.erase(0, kByteOrderMark.size());
  }
  gStore.text = std::move(text);
}

bool PrefsOpen(const std::string& path) {
  PrefsClose();
  std::string text;
  if (!ReadWholeFile(path, text)) return false;
  PrefsOpenText(std::move(text));
  gStore.path = path;
  gStore.mayWrite = CanReplaceFile(path);
  return true;
}

std::int32_t PrefsReadNumber(const std::string& key, std::int32_t defaultValue) {
  const std::optional<Line> found = FindEntry(key);
  return found ? ParseNumber(ValueOf(Content(*found))) : defaultValue;
}

std::string PrefsReadText(const std::string& key, const std::string& defaultValue) {
  const std::optional<Line> found = FindEntry(key);
  if (!found) return defaultValue;
  const std::string_view value = TrimRight(ValueOf(Content(*found)));
  return gStore.utf8 ? DecodeUtf8(value) : std::string(value);
}

void PrefsCreateText() {
  PrefsClose();
  gStore.open = true;
  gStore.changed = true;  // a created file is empty even when nothing is written
}

bool PrefsCreate(const std::string& path) {
  PrefsClose();
  if (!CanReplaceFile(path)) return false;
  PrefsCreateText();
  gStore.path = path;
  gStore.mayWrite = true;
  return true;
}

void PrefsWriteComment(const std::string& text) {
  if (gStore.open) InsertLine(gStore.anyWritten ? gStore.writtenEnd : 0, "; " + StoredText(OneLine(text)));
}

void PrefsWriteNumber(const std::string& key, std::int32_t value) { WriteEntry(key, std::to_string(value)); }

void PrefsWriteText(const std::string& key, const std::string& value) { WriteEntry(key, value); }

std::string PrefsOtherItems(std::initializer_list<std::string_view> keys) {
  std::string items;
  if (!gStore.open) return items;
  LineReader reader(gStore.text);
  Line line;
  bool inGroup = false;
  while (reader.Next(line)) {
    const std::string_view content = Content(line);
    const Kind kind = KindOf(content);
    inGroup = inGroup || kind == Kind::Group;
    const auto named = [&](std::string_view key) { return SameKey(KeyOf(content), StoredText(key)); };
    if (!inGroup && (kind == Kind::Comment || std::ranges::any_of(keys, named))) continue;
    items.append(content).append("\n");
  }
  return items;
}

void PrefsAppendItems(std::string_view items) {
  if (!gStore.open || items.empty()) return;
  std::string& text = gStore.text;
  if (!text.empty() && !IsLineBreak(text.back())) text += '\n';
  text.append(items);
  gStore.changed = true;
}

std::string PrefsFileText() {
  std::string text;
  if (!gStore.open) return text;
  if (gStore.utf8) text.append(kByteOrderMark).append(kLineEnd);
  LineReader reader(gStore.text);
  Line line;
  while (reader.Next(line)) {
    std::string_view content = Content(line);
    switch (KindOf(content)) {
      case Kind::Group:
        content.remove_prefix(1);
        text.append("[").append(content.substr(0, content.find(']'))).append("]");
        break;
      case Kind::Comment:
        content.remove_prefix(1);
        if (!content.empty() && content.front() == ' ') content.remove_prefix(1);
        text.append("; ").append(content);
        break;
      case Kind::Entry: text.append(KeyOf(content)).append(" = ").append(ValueOf(content)); break;
    }
    text.append(kLineEnd);
  }
  return text;
}

void PrefsClose() {
  if (gStore.open && gStore.changed && gStore.mayWrite) {
    try {
      ReplaceFileContents(gStore.path, PrefsFileText());
    } catch (const std::bad_alloc&) {
      // Too large to write out: the old file stays.
    }
  }
  gStore = PrefsStore{};
}
