// The in-memory INI object behind the settings file, "ShortCut.ini", "Radio.ini",
// "DoraZozArar.ini" and skin.ini: the whole file is read at once, changed in memory and written
// back whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/same_text.h"

#include "core/ports/file_store.h"
#include "core/ports/text_codec.h"

namespace zr4 {

// Rules of the text:
// - lines end with CR, LF or CRLF; every line is trimmed of blanks and control characters;
// - empty lines and lines starting with ";" are skipped (and so not written back);
// - "[name]" opens a section; "key=value" (both trimmed) belongs to the section above it;
//   anything else, and keys before the first section, are skipped;
// - section and key names match without regard to ASCII case; the first of duplicate keys wins.
// Written text: UTF-8 without BOM, CRLF line ends (what Windows editors expect), one empty line
// between sections. Writing the same contents twice gives the same bytes.
class TIniFile {
 public:
  // Parses text that is already UTF-8.
  static TIniFile Parse(std::string_view text);

  // Integers read as the default when the value is not a decimal number in the 32-bit range.
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& fallback) const;
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // Booleans are integers: any non-zero value is true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  bool SectionExists(std::string_view section) const;
  // The key names of a section in file order, each once (as its first occurrence spells it).
  std::vector<std::string> SectionKeys(std::string_view section) const;
  // Section names in file order; key names of a section in file order, duplicates included.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

  // An existing key keeps its place (and takes the spelling given here); a new key goes to the
  // end of its section; a new section goes to the end of the file. Values are kept as they will
  // read back: line breaks become blanks and surrounding blanks are dropped.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);  // "1" / "0"

  // Removes every key of the section. An erased section is not written; when keys are written to
  // it again it comes back at its old place, so erase-and-rewrite keeps the file's order.
  void EraseSection(std::string_view section);

  std::string Serialize() const;

 private:
  // Keys, values and section names live in text_, so that a line costs a few bytes beyond its
  // text whatever its shape (a file of "=" lines at the read limit holds millions of them).
  struct Span {
    std::uint32_t at = 0;
    std::uint32_t size = 0;
  };
  struct Entry {
    std::uint32_t at = 0;  // the key, then the value, in text_
    std::uint32_t keySize : 31 = 0;
    std::uint32_t first : 1 = 1;  // no earlier key of its section has the same name
    std::uint32_t valueSize = 0;
  };
  // A section's keys are entries_[begin, begin + count), room for `capacity` of them made when
  // the file was read, then, once that room is full, those of extras_[extra - 1] (keys added
  // later), so that adding a key never copies a large section.
  struct Section {
    Span name;
    std::uint32_t begin = 0;
    std::uint32_t count = 0;
    std::uint32_t capacity = 0;
    std::uint32_t extra = 0;
  };
  // Slots of the open-addressed indexes: the section (plus one; 0 is a free slot), for a key its
  // position in that section, and the name's hash (so that neither a probe past other names nor
  // growing the index reads their text).
  struct SectionSlot {
    std::uint32_t section = 0;
    std::uint32_t hash = 0;
  };
  struct KeySlot {
    std::uint32_t section = 0;
    std::uint32_t entry = 0;
    std::uint32_t hash = 0;
  };

  std::string_view Text(Span span) const { return {text_.data() + span.at, span.size}; }
  std::string_view Key(const Entry& entry) const {
    return {text_.data() + entry.at, entry.keySize};
  }
  std::string_view Value(const Entry& entry) const {
    return {text_.data() + entry.at + entry.keySize, entry.valueSize};
  }
  Span Store(std::string_view text);
  static std::uint32_t SectionHash(std::string_view name);
  static std::uint32_t KeyHash(std::size_t section, std::string_view key);
  template <typename Slot>
  static std::size_t Home(std::uint32_t hash, const std::vector<Slot>& slots);
  // Where the name is in the index, or where it would go (a free slot); npos while it is empty.
  std::size_t FindSectionSlot(std::string_view name, std::uint32_t hash) const;
  std::size_t FindSectionSlot(std::string_view name) const {
    return FindSectionSlot(name, SectionHash(name));
  }
  std::size_t FindKeySlot(std::size_t section, std::string_view key, std::uint32_t hash) const;
  // Makes room for one more name.
  template <typename Slot>
  static void Grow(std::vector<Slot>& slots, std::size_t used);
  template <typename Slot>
  static void EraseSlot(std::vector<Slot>& slots, std::size_t at);

  const Section* FindSection(std::string_view name) const;
  const Entry* FindEntry(std::string_view section, std::string_view key) const;
  std::size_t SectionForWriting(std::string_view name);
  // Adds a key at the end of its section; the index keeps naming the first of duplicates.
  void Append(std::size_t section, std::string_view key, std::string_view value);

  std::size_t Size(const Section& section) const {
    return section.count + (section.extra == 0 ? 0 : extras_[section.extra - 1].size());
  }
  const Entry& EntryAt(const Section& section, std::size_t i) const {
    return i < section.count ? entries_[section.begin + i]
                             : extras_[section.extra - 1][i - section.count];
  }
  Entry& EntryAt(const Section& section, std::size_t i) {
    return const_cast<Entry&>(std::as_const(*this).EntryAt(section, i));
  }

  std::string text_;
  std::vector<Entry> entries_;
  std::vector<std::vector<Entry>> extras_;
  // Sections in file order; a name met again adds to the section of its first occurrence.
  std::vector<Section> sections_;
  // Lookups by name without regard to case, so that reading a file and every key of it takes
  // time in proportion to its size: each section, and the first occurrence of each key in its
  // section. Linear probing, at most 70 % full.
  std::vector<SectionSlot> sectionSlots_;
  std::vector<KeySlot> keySlots_;
  std::size_t keyCount_ = 0;
};

// Text of an INI file as UTF-8: UTF-8 with or without BOM is taken as it is; UTF-16 with its BOM
// is converted; anything else that is not valid UTF-8 is read as code page 932 through the codec.
std::string DecodeIniText(std::string_view bytes, TextCodec& codec);

// Whether DecodeIniText gives the bytes back whole: false when some of them are neither UTF-8,
// UTF-16 nor code page 932 (Latin-1 text, binary) and had to become U+FFFD.
bool IniTextDecodes(std::string_view bytes, TextCodec& codec);

// Reads a whole INI file: a missing or unreadable file leaves `ini` empty. Returns how the read
// went, so that a writer can refuse to replace a file it could not read.
FileRead::Result LoadIniFile(FileStore& files, TextCodec& codec, const std::string& path,
                             TIniFile& ini);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// A decimal 32-bit integer with an optional sign and nothing else.
bool ParseInteger(std::string_view text, int& value);

}  // namespace zr4
