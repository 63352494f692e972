#include "storage/Prefs.h"

#include <limits>
#include <string_view>
#include <vector>

#include "storage/FileReplace.h"

namespace {

struct PrefsItem {
  enum class Kind { Group, Comment, Entry };
  Kind kind;
  std::string name;   // group name, comment text or entry key
  std::string value;  // entry value, as stored in the file
};

struct PrefsStore {
  bool open = false;
  bool mayWrite = false;
  bool utf8 = false;
  bool changed = false;
  std::string path;
  std::vector<PrefsItem> items;
  std::ptrdiff_t lastWritten = -1;  // index of the item written last
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

PrefsItem ParseLine(std::string_view line) {
  if (line.front() == ';') {
    line.remove_prefix(1);
    if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    return {PrefsItem::Kind::Comment, std::string(line), {}};
  }
  if (line.front() == '[') {
    line.remove_prefix(1);
    return {PrefsItem::Kind::Group, std::string(line.substr(0, line.find(']'))), {}};
  }
  const std::size_t equals = line.find('=');
  std::string_view key = TrimRight(line.substr(0, equals));
  std::string_view value = equals == std::string_view::npos ? std::string_view() : TrimLeft(line.substr(equals + 1));
  return {PrefsItem::Kind::Entry, std::string(key), std::string(value)};
}

void Parse(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) {
    gStore.utf8 = true;
    text.remove_prefix(kByteOrderMark.size());
  }
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    std::string_view line = TrimLeft(text.substr(0, end));
    if (!line.empty()) gStore.items.push_back(ParseLine(line));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end);
    text.remove_prefix(std::min(text.find_first_not_of("\r\n"), text.size()));
  }
}

// Index of the first entry for key above the first group header, or -1.
std::ptrdiff_t FindEntry(const std::string& key) {
  const std::string wanted = gStore.utf8 ? EncodeUtf8(key) : key;
  for (std::size_t i = 0; i < gStore.items.size(); ++i) {
    const PrefsItem& item = gStore.items[i];
    if (item.kind == PrefsItem::Kind::Group) break;
    if (item.kind == PrefsItem::Kind::Entry && SameKey(item.name, wanted)) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

std::string StoredText(const std::string& text) { return gStore.utf8 ? EncodeUtf8(text) : text; }

void Insert(std::ptrdiff_t index, PrefsItem item) {
  gStore.items.insert(gStore.items.begin() + index, std::move(item));
  gStore.lastWritten = index;
  gStore.changed = true;
}

void WriteEntry(const std::string& key, const std::string& value) {
  if (!gStore.open) return;
  const std::ptrdiff_t found = FindEntry(key);
  if (found >= 0) {
    gStore.items[static_cast<std::size_t>(found)].value = StoredText(value);
    gStore.lastWritten = found;
    gStore.changed = true;
    return;
  }
  std::ptrdiff_t end = 0;
  while (static_cast<std::size_t>(end) < gStore.items.size() &&
         gStore.items[static_cast<std::size_t>(end)].kind != PrefsItem::Kind::Group)
    ++end;
  Insert(end, {PrefsItem::Kind::Entry, StoredText(key), StoredText(value)});
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

bool PrefsOpen(const std::string& path) {
  PrefsClose();
  std::string text;
  if (!ReadFileStart(path, std::numeric_limits<std::size_t>::max(), text)) return false;
  gStore.open = true;
  gStore.path = path;
  gStore.mayWrite = CanReplaceFile(path);
  Parse(text);
  return true;
}

std::int32_t PrefsReadNumber(const std::string& key, std::int32_t defaultValue) {
  const std::ptrdiff_t found = FindEntry(key);
  return found < 0 ? defaultValue : ParseNumber(gStore.items[static_cast<std::size_t>(found)].value);
}

std::string PrefsReadText(const std::string& key, const std::string& defaultValue) {
  const std::ptrdiff_t found = FindEntry(key);
  if (found < 0) return defaultValue;
  std::string_view value = TrimRight(gStore.items[static_cast<std::size_t>(found)].value);
  return gStore.utf8 ? DecodeUtf8(value) : std::string(value);
}

bool PrefsCreate(const std::string& path) {
  PrefsClose();
  if (!CanReplaceFile(path)) return false;
  gStore.open = true;
  gStore.path = path;
  gStore.mayWrite = true;
  gStore.changed = true;  // a created file is empty even when nothing is written
  return true;
}

void PrefsWriteComment(const std::string& text) {
  if (gStore.open) Insert(gStore.lastWritten + 1, {PrefsItem::Kind::Comment, StoredText(text), {}});
}

void PrefsWriteNumber(const std::string& key, std::int32_t value) { WriteEntry(key, std::to_string(value)); }

void PrefsWriteText(const std::string& key, const std::string& value) { WriteEntry(key, value); }

void PrefsClose() {
  if (gStore.open && gStore.changed && gStore.mayWrite) {
    std::string text;
    if (gStore.utf8) text.append(kByteOrderMark).append(kLineEnd);
    for (const PrefsItem& item : gStore.items) {
      switch (item.kind) {
        case PrefsItem::Kind::Group: text += "[" + item.name + "]"; break;
        case PrefsItem::Kind::Comment: text += "; " + item.name; break;
        case PrefsItem::Kind::Entry: text += item.name + " = " + item.value; break;
      }
      text.append(kLineEnd);
    }
    ReplaceFileContents(gStore.path, text);
  }
  gStore = PrefsStore{};
}
