#include "core/base/ini_file.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "core/base/blanks.h"
#include "core/base/integer_text.h"

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

namespace {
// Calls onSection(name) for each "[name]" line and onKey(key, value) for each "key=value" line
// after one, both trimmed.
template <typename OnSection, typename OnKey>
void ForEachLine(std::string_view text, OnSection onSection, OnKey onKey) {
  bool inSection = false;
  while (!text.empty()) {
    // A plain scan: find_first_of tries each character against the set.
    std::size_t end = 0;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    if (end == text.size()) end = std::string_view::npos;
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      onSection(Trim(line.substr(1, line.size() - 2)));
      inSection = true;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!inSection || equals == std::string_view::npos) continue;
    onKey(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
  }
}

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ull;
}  // namespace

TIniFile TIniFile::Parse(std::string_view text) {
  TIniFile ini;
  // Two passes, so that each section's keys and the text they hold get their room at once: a file
  // near the read limit must not pass through ever larger copies of itself. The first finds the
  // sections and counts their keys; no line holds more than one section, and a file of "[]"
  // lines must not reserve room for millions of them.
  const auto brackets = static_cast<std::size_t>(std::count(text.begin(), text.end(), '['));
  ini.sections_.reserve(std::min(brackets, text.size() / 4 + 1));
  std::size_t current = 0;
  std::size_t keyText = 0;
  std::size_t keys = 0;
  std::vector<std::uint32_t> sectionLines;  // the section of each "[name]" line, for the second
  ForEachLine(
      text,
      [&](std::string_view name) {
        current = ini.SectionForWriting(name);
        sectionLines.push_back(static_cast<std::uint32_t>(current));
      },
      [&](std::string_view key, std::string_view value) {
        ++ini.sections_[current].capacity;
        keyText += key.size() + value.size();
        ++keys;
      });
  ini.text_.reserve(ini.text_.size() + keyText);
  ini.entries_.resize(keys);
  std::uint32_t begin = 0;
  for (Section& section : ini.sections_) {
    section.begin = begin;
    begin += section.capacity;
  }
  std::size_t sectionLine = 0;
  ForEachLine(
      text, [&](std::string_view) { current = sectionLines[sectionLine++]; },
      [&](std::string_view key, std::string_view value) { ini.Append(current, key, value); });
  return ini;
}

TIniFile::Span TIniFile::Store(std::string_view text) {
  const Span span{static_cast<std::uint32_t>(text_.size()),
                  static_cast<std::uint32_t>(text.size())};
  text_.append(text);
  return span;
}

std::uint32_t TIniFile::SectionHash(std::string_view name) {
  // The upper bits of the product mix every bit of the hash.
  return static_cast<std::uint32_t>((CaseBlindHash()(name) * kGolden) >> 32);
}

std::uint32_t TIniFile::KeyHash(std::size_t section, std::string_view key) {
  return static_cast<std::uint32_t>(((CaseBlindHash()(key) ^ (section * kGolden)) * kGolden) >> 32);
}

template <typename Slot>
std::size_t TIniFile::Home(std::uint32_t hash, const std::vector<Slot>& slots) {
  return hash >> (32 - std::countr_zero(slots.size()));
}

std::size_t TIniFile::FindSectionSlot(std::string_view name, std::uint32_t hash) const {
  if (sectionSlots_.empty()) return std::string_view::npos;
  const std::size_t mask = sectionSlots_.size() - 1;
  std::size_t i = Home(hash, sectionSlots_);
  for (; sectionSlots_[i].section != 0; i = (i + 1) & mask) {
    const SectionSlot& slot = sectionSlots_[i];
    if (slot.hash == hash && SameText(Text(sections_[slot.section - 1].name), name)) break;
  }
  return i;
}

std::size_t TIniFile::FindKeySlot(std::size_t section, std::string_view key,
                                  std::uint32_t hash) const {
  if (keySlots_.empty()) return std::string_view::npos;
  const std::size_t mask = keySlots_.size() - 1;
  std::size_t i = Home(hash, keySlots_);
  for (; keySlots_[i].section != 0; i = (i + 1) & mask) {
    const KeySlot& slot = keySlots_[i];
    if (slot.hash == hash && slot.section - 1 == section &&
        SameText(Key(EntryAt(sections_[section], slot.entry)), key))
      break;
  }
  return i;
}

template <typename Slot>
void TIniFile::Grow(std::vector<Slot>& slots, std::size_t used) {
  std::size_t size = std::max<std::size_t>(slots.size(), 16);
  while ((used + 1) * 10 > size * 7) size *= 2;
  if (size == slots.size()) return;
  std::vector<Slot> old = std::move(slots);
  slots.assign(size, Slot{});
  const std::size_t mask = size - 1;
  for (const Slot& slot : old) {
    if (slot.section == 0) continue;
    std::size_t i = Home(slot.hash, slots);
    while (slots[i].section != 0) i = (i + 1) & mask;
    slots[i] = slot;
  }
}

template <typename Slot>
void TIniFile::EraseSlot(std::vector<Slot>& slots, std::size_t at) {
  // Later slots of the same probe run move back into the gap, so that no lookup stops early.
  const std::size_t mask = slots.size() - 1;
  std::size_t gap = at;
  for (std::size_t j = (gap + 1) & mask; slots[j].section != 0; j = (j + 1) & mask) {
    const std::size_t home = Home(slots[j].hash, slots);
    const bool stays = gap <= j ? (gap < home && home <= j) : (gap < home || home <= j);
    if (stays) continue;
    slots[gap] = slots[j];
    gap = j;
  }
  slots[gap] = Slot{};
}

const TIniFile::Section* TIniFile::FindSection(std::string_view name) const {
  const std::size_t at = FindSectionSlot(name);
  if (at == std::string_view::npos || sectionSlots_[at].section == 0) return nullptr;
  return &sections_[sectionSlots_[at].section - 1];
}

const TIniFile::Entry* TIniFile::FindEntry(std::string_view section, std::string_view key) const {
  const std::size_t inSection = FindSectionSlot(section);
  if (inSection == std::string_view::npos || sectionSlots_[inSection].section == 0) return nullptr;
  const std::size_t index = sectionSlots_[inSection].section - 1;
  const std::size_t at = FindKeySlot(index, key, KeyHash(index, key));
  if (at == std::string_view::npos || keySlots_[at].section == 0) return nullptr;
  return &EntryAt(sections_[index], keySlots_[at].entry);
}

std::size_t TIniFile::SectionForWriting(std::string_view name) {
  const std::string line = OneLine(name);
  Grow(sectionSlots_, sections_.size());
  const std::uint32_t hash = SectionHash(line);
  const std::size_t at = FindSectionSlot(line, hash);
  if (sectionSlots_[at].section != 0) return sectionSlots_[at].section - 1;
  sections_.push_back({Store(line)});
  sectionSlots_[at] = {static_cast<std::uint32_t>(sections_.size()), hash};
  return sections_.size() - 1;
}

void TIniFile::Append(std::size_t section, std::string_view key, std::string_view value) {
  Grow(keySlots_, keyCount_);
  const std::uint32_t hash = KeyHash(section, key);
  const std::size_t at = FindKeySlot(section, key, hash);
  Section& target = sections_[section];
  const bool first = keySlots_[at].section == 0;
  if (first) {
    keySlots_[at] = {static_cast<std::uint32_t>(section + 1),
                     static_cast<std::uint32_t>(Size(target)), hash};
    ++keyCount_;
  }
  Entry entry;
  entry.at = Store(key).at;
  Store(value);
  entry.keySize = static_cast<std::uint32_t>(key.size());
  entry.valueSize = static_cast<std::uint32_t>(value.size());
  entry.first = first ? 1 : 0;
  if (target.count < target.capacity) {
    entries_[target.begin + target.count++] = entry;
    return;
  }
  if (target.extra == 0) {
    extras_.emplace_back();
    target.extra = static_cast<std::uint32_t>(extras_.size());
  }
  extras_[target.extra - 1].push_back(entry);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 const std::string& fallback) const {
  const Entry* entry = FindEntry(section, key);
  return entry ? std::string(Value(*entry)) : fallback;
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const Entry* entry = FindEntry(section, key);
  int value = 0;
  return entry && ParseInteger(Value(*entry), value) ? value : fallback;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
  return FindEntry(section, key) != nullptr;
}

bool TIniFile::SectionExists(std::string_view section) const {
  const Section* found = FindSection(section);
  return found != nullptr && Size(*found) != 0;
}

std::vector<std::string> TIniFile::SectionKeys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* found = FindSection(section))
    for (std::size_t i = 0; i < Size(*found); ++i)
      if (EntryAt(*found, i).first) keys.emplace_back(Key(EntryAt(*found, i)));
  return keys;
}

std::vector<std::string> TIniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& section : sections_) names.emplace_back(Text(section.name));
  return names;
}

std::vector<std::string> TIniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  if (const Section* found = FindSection(section))
    for (std::size_t i = 0; i < Size(*found); ++i) names.emplace_back(Key(EntryAt(*found, i)));
  return names;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::size_t target = SectionForWriting(section);
  const std::string name = OneLine(key);
  const std::size_t at = FindKeySlot(target, name, KeyHash(target, name));
  if (at == std::string_view::npos || keySlots_[at].section == 0) {
    Append(target, name, OneLine(value));
    return;
  }
  Entry& entry = EntryAt(sections_[target], keySlots_[at].entry);
  const std::string line = OneLine(value);
  entry.at = Store(name).at;
  Store(line);
  entry.keySize = static_cast<std::uint32_t>(name.size());
  entry.valueSize = static_cast<std::uint32_t>(line.size());
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(std::string_view section) {
  const std::size_t inSection = FindSectionSlot(section);
  if (inSection == std::string_view::npos || sectionSlots_[inSection].section == 0) return;
  const std::size_t index = sectionSlots_[inSection].section - 1;
  Section& erased = sections_[index];
  for (std::size_t i = 0; i < Size(erased); ++i) {
    if (!EntryAt(erased, i).first) continue;
    const std::string_view key = Key(EntryAt(erased, i));
    EraseSlot(keySlots_, FindKeySlot(index, key, KeyHash(index, key)));
    --keyCount_;
  }
  erased.count = 0;
  if (erased.extra != 0) extras_[erased.extra - 1].clear();
}

std::string TIniFile::Serialize() const {
  const std::string_view lineEnd = kLineEnd;
  std::size_t size = 0;
  for (const Section& section : sections_) {
    if (Size(section) == 0) continue;
    size += 2 * lineEnd.size() + section.name.size + 2;
    for (std::size_t i = 0; i < Size(section); ++i) {
      const Entry& entry = EntryAt(section, i);
      size += entry.keySize + 1 + entry.valueSize + lineEnd.size();
    }
  }
  std::string text;
  text.reserve(size);
  for (const Section& section : sections_) {
    if (Size(section) == 0) continue;
    if (!text.empty()) text += lineEnd;
    text.append("[").append(Text(section.name)).append("]").append(lineEnd);
    for (std::size_t i = 0; i < Size(section); ++i) {
      const Entry& entry = EntryAt(section, i);
      text.append(Key(entry)).append("=").append(Value(entry)).append(lineEnd);
    }
  }
  return text;
}

bool ParseInteger(std::string_view text, int& value) {
  const auto parsed = ParseIntegerText(text);
  if (!parsed || parsed->hexadecimal) return false;
  value = parsed->value;
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
