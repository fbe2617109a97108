#include "core/base/ini_file.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "core/base/blanks.h"

namespace zr4 {

namespace {
// What is written must read back as it was written, so that saving twice writes the same bytes:
// line breaks would split the line and surrounding blanks would be trimmed away when reading.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return std::string(Trim(line));
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kBomUtf16Le = "\xFF\xFE";
constexpr std::string_view kBomUtf16Be = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& text, char32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// UTF-16 after its byte order mark, as older Windows editors save "Unicode" text. Unpaired
// surrogates and a lone last byte become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool littleEndian) {
  auto unit = [&](std::size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return littleEndian ? (second << 8 | first) : (first << 8 | second);
  };
  std::string text;
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t code = unit(i);
    if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(text, code >= 0xD800 && code <= 0xDFFF ? kReplacement : code);
  }
  if (i < bytes.size()) AppendUtf8(text, kReplacement);
  return text;
}
constexpr const char* kLineEnd = "\r\n";
}  // namespace

TIniFile TIniFile::Parse(std::string_view text) {
  TIniFile ini;
  // At most one key or section per line, so the indexes need not grow (and rehash) while parsing;
  // lines shorter than 8 bytes are rare, and a file of empty lines must not reserve room for
  // millions of keys.
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  const std::size_t expected = std::min(lines, text.size() / 8 + 1);
  ini.sectionIndex_.reserve(expected);
  ini.keyIndex_.reserve(expected);
  constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);
  std::size_t current = kNoSection;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = ini.SectionForWriting(Trim(line.substr(1, line.size() - 2)));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == kNoSection || equals == std::string_view::npos) continue;
    ini.Append(current, std::string(Trim(line.substr(0, equals))),
               std::string(Trim(line.substr(equals + 1))));
  }
  return ini;
}

const TIniFile::Section* TIniFile::FindSection(std::string_view name) const {
  const auto found = sectionIndex_.find(name);
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const TIniFile::Entry* TIniFile::FindEntry(std::string_view section, std::string_view key) const {
  const auto inSection = sectionIndex_.find(section);
  if (inSection == sectionIndex_.end()) return nullptr;
  const auto found = keyIndex_.find(KeyOf<std::string_view>{inSection->second, key});
  return found == keyIndex_.end() ? nullptr : &sections_[inSection->second].entries[found->second];
}

std::size_t TIniFile::SectionForWriting(std::string_view name) {
  std::string line = OneLine(name);
  const auto [found, added] = sectionIndex_.try_emplace(line, sections_.size());
  if (added) sections_.push_back({std::move(line), {}});
  return found->second;
}

void TIniFile::Append(std::size_t section, std::string key, std::string value) {
  std::vector<Entry>& entries = sections_[section].entries;
  const bool first = keyIndex_.try_emplace(KeyOf<std::string>{section, key}, entries.size()).second;
  entries.push_back({std::move(key), std::move(value), first});
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 const std::string& fallback) const {
  const Entry* entry = FindEntry(section, key);
  return entry ? entry->value : fallback;
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const Entry* entry = FindEntry(section, key);
  int value = 0;
  return entry && ParseInteger(entry->value, value) ? value : fallback;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
  return FindEntry(section, key) != nullptr;
}

bool TIniFile::SectionExists(std::string_view section) const {
  const Section* found = FindSection(section);
  return found != nullptr && !found->entries.empty();
}

std::vector<std::string> TIniFile::SectionKeys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* found = FindSection(section))
    for (const Entry& entry : found->entries)
      if (entry.first) keys.push_back(entry.key);
  return keys;
}

std::vector<std::string> TIniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& section : sections_) names.push_back(section.name);
  return names;
}

std::vector<std::string> TIniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  if (const Section* found = FindSection(section))
    for (const Entry& entry : found->entries) names.push_back(entry.key);
  return names;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::size_t target = SectionForWriting(section);
  std::string name = OneLine(key);
  const auto found = keyIndex_.find(KeyOf<std::string_view>{target, name});
  if (found == keyIndex_.end()) {
    Append(target, std::move(name), OneLine(value));
    return;
  }
  Entry& entry = sections_[target].entries[found->second];
  entry.key = std::move(name);
  entry.value = OneLine(value);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(std::string_view section) {
  const auto inSection = sectionIndex_.find(section);
  if (inSection == sectionIndex_.end()) return;
  std::vector<Entry>& entries = sections_[inSection->second].entries;
  for (const Entry& entry : entries) {
    const auto found = keyIndex_.find(KeyOf<std::string_view>{inSection->second, entry.key});
    if (found != keyIndex_.end()) keyIndex_.erase(found);
  }
  entries.clear();
}

std::string TIniFile::Serialize() const {
  const std::string_view lineEnd = kLineEnd;
  std::size_t size = 0;
  for (const Section& section : sections_) {
    if (section.entries.empty()) continue;
    size += 2 * lineEnd.size() + section.name.size() + 2;
    for (const Entry& entry : section.entries)
      size += entry.key.size() + 1 + entry.value.size() + lineEnd.size();
  }
  std::string text;
  text.reserve(size);
  for (const Section& section : sections_) {
    if (section.entries.empty()) continue;
    if (!text.empty()) text += lineEnd;
    text.append("[").append(section.name).append("]").append(lineEnd);
    for (const Entry& entry : section.entries)
      text.append(entry.key).append("=").append(entry.value).append(lineEnd);
  }
  return text;
}

bool ParseInteger(std::string_view text, int& value) {
  // from_chars takes a minus sign but not a plus sign.
  if (text.size() > 1 && text.front() == '+' && text[1] >= '0' && text[1] <= '9')
    text.remove_prefix(1);
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  int parsed = 0;
  const auto [stop, error] = std::from_chars(text.data(), end, parsed);
  if (error != std::errc() || stop != end) return false;
  value = parsed;
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (bytes.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

std::string DecodeIniText(std::string_view bytes, TextCodec& codec) {
  if (bytes.substr(0, 2) == kBomUtf16Le) return Utf16ToUtf8(bytes.substr(2), true);
  if (bytes.substr(0, 2) == kBomUtf16Be) return Utf16ToUtf8(bytes.substr(2), false);
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return codec.LegacyToUtf8(bytes);
}

bool IniTextDecodes(std::string_view bytes, TextCodec& codec) {
  constexpr std::string_view kReplaced = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
  const std::string text = DecodeIniText(bytes, codec);
  std::size_t replaced = 0;
  for (std::size_t at = text.find(kReplaced); at != std::string::npos;
       at = text.find(kReplaced, at + kReplaced.size()))
    ++replaced;
  if (replaced == 0 || IsValidUtf8(bytes.substr(bytes.starts_with(kBom) ? kBom.size() : 0)))
    return true;
  // UTF-16 may hold U+FFFD itself; only more of them than it holds were made up.
  const bool little = bytes.starts_with(kBomUtf16Le);
  if (!little && !bytes.starts_with(kBomUtf16Be)) return false;
  std::size_t held = 0;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    if ((little ? (second << 8 | first) : (first << 8 | second)) == kReplacement) ++held;
  }
  return held == replaced;
}

FileRead::Result LoadIniFile(FileStore& files, TextCodec& codec, const std::string& path,
                             TIniFile& ini) {
  FileRead read = files.ReadFile(path);
  ini = read.result == FileRead::Result::Ok ? TIniFile::Parse(DecodeIniText(read.bytes, codec))
                                            : TIniFile();
  return read.result;
}

}  // namespace zr4
