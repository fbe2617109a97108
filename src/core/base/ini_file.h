// The in-memory INI object behind the settings file, "ShortCut.ini", "Radio.ini",
// "DoraZozArar.ini" and skin.ini: the whole file is read at once, changed in memory and written
// back whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
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
  struct Entry {
    std::string key;
    std::string value;
    bool first = true;  // no earlier key of its section has the same name
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  // A key name within the section at `section` of sections_, for the index of keys.
  template <typename Text>
  struct KeyOf {
    std::size_t section;
    Text name;
  };
  struct KeyHash {
    using is_transparent = void;
    template <typename Text>
    std::size_t operator()(const KeyOf<Text>& key) const {
      return CaseBlindHash()(key.name) ^ (key.section * 0x9E3779B97F4A7C15ull);
    }
  };
  struct KeyEqual {
    using is_transparent = void;
    template <typename A, typename B>
    bool operator()(const KeyOf<A>& a, const KeyOf<B>& b) const {
      return a.section == b.section && SameText(a.name, b.name);
    }
  };

  const Section* FindSection(std::string_view name) const;
  const Entry* FindEntry(std::string_view section, std::string_view key) const;
  std::size_t SectionForWriting(std::string_view name);
  // Adds a key at the end of its section; the index keeps naming the first of duplicates.
  void Append(std::size_t section, std::string key, std::string value);

  // Sections in file order; a name met again adds to the section of its first occurrence.
  std::vector<Section> sections_;
  // Lookups by name without regard to case, so that reading a file and every key of it takes
  // time in proportion to its size: the position of each section in sections_, and of the first
  // occurrence of each key in its section's entries.
  std::unordered_map<std::string, std::size_t, CaseBlindHash, CaseBlindEqual> sectionIndex_;
  std::unordered_map<KeyOf<std::string>, std::size_t, KeyHash, KeyEqual> keyIndex_;
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
