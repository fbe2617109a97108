#include "core/pcactions/data_list.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace zr4 {

namespace {
// Value tags of the stream.
constexpr std::uint8_t kTagInt8 = 0x02;
constexpr std::uint8_t kTagInt16 = 0x03;
constexpr std::uint8_t kTagInt32 = 0x04;
constexpr std::uint8_t kTagShortText = 0x06;
constexpr std::uint8_t kTagFalse = 0x08;
constexpr std::uint8_t kTagTrue = 0x09;
constexpr std::uint8_t kTagLongText = 0x0C;
constexpr std::uint8_t kTagUtf8Text = 0x14;

void WriteByte(TMemoryStream& stream, std::uint8_t byte) {
  stream.Write(&byte, 1);
}

// Little-endian, whatever the machine.
void WriteLittle(TMemoryStream& stream, std::uint32_t value, int size) {
  std::uint8_t bytes[4];
  for (int i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  stream.Write(bytes, static_cast<std::size_t>(size));
}

std::uint32_t ReadLittle(TMemoryStream& stream, int size) {
  std::uint8_t bytes[4] = {};
  stream.Read(bytes, static_cast<std::size_t>(size));
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

std::uint8_t ReadByte(TMemoryStream& stream) {
  std::uint8_t byte = 0;
  stream.Read(&byte, 1);
  return byte;
}

void WriteInteger(TMemoryStream& stream, int value) {
  if (value >= -128 && value <= 127) {
    WriteByte(stream, kTagInt8);
    WriteLittle(stream, static_cast<std::uint32_t>(value), 1);
  } else if (value >= -32768 && value <= 32767) {
    WriteByte(stream, kTagInt16);
    WriteLittle(stream, static_cast<std::uint32_t>(value), 2);
  } else {
    WriteByte(stream, kTagInt32);
    WriteLittle(stream, static_cast<std::uint32_t>(value), 4);
  }
}

int ReadInteger(TMemoryStream& stream) {
  switch (const std::uint8_t tag = ReadByte(stream)) {
    case kTagInt8:
      return static_cast<std::int8_t>(ReadLittle(stream, 1));
    case kTagInt16:
      return static_cast<std::int16_t>(ReadLittle(stream, 2));
    case kTagInt32:
      return static_cast<std::int32_t>(ReadLittle(stream, 4));
    default:
      throw EReadError("invalid property value: integer tag " + std::to_string(tag));
  }
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Texts are UTF-8 throughout the program, so non-ASCII text goes out as it is under the UTF-8 tag.
void WriteText(TMemoryStream& stream, const std::string& text) {
  if (IsAscii(text) && text.size() <= 255) {
    WriteByte(stream, kTagShortText);
    WriteByte(stream, static_cast<std::uint8_t>(text.size()));
  } else {
    WriteByte(stream, IsAscii(text) ? kTagLongText : kTagUtf8Text);
    WriteLittle(stream, static_cast<std::uint32_t>(text.size()), 4);
  }
  stream.Write(text.data(), text.size());
}

std::string ReadText(TMemoryStream& stream) {
  std::size_t length = 0;
  switch (const std::uint8_t tag = ReadByte(stream)) {
    case kTagShortText:
      length = ReadByte(stream);
      break;
    case kTagLongText:
    case kTagUtf8Text:
      length = ReadLittle(stream, 4);
      break;
    default:
      throw EReadError("invalid property value: text tag " + std::to_string(tag));
  }
  // Checked before allocating, so that a damaged length cannot ask for gigabytes.
  if (length > stream.Remaining()) throw EReadError("stream read error: text past the end");
  std::string text(length, '\0');
  stream.Read(text.data(), length);
  return text;
}

void WriteBoolean(TMemoryStream& stream, bool value) {
  WriteByte(stream, value ? kTagTrue : kTagFalse);
}

bool ReadBoolean(TMemoryStream& stream) {
  return ReadByte(stream) == kTagTrue;
}

int Sign(int first, int second) {
  return (first > second) - (first < second);
}
}  // namespace

void TMemoryStream::Write(const void* data, std::size_t size) {
  if (size == 0) return;
  if (position_ + size > bytes_.size()) bytes_.resize(position_ + size);
  std::memcpy(bytes_.data() + position_, data, size);
  position_ += size;
}

void TMemoryStream::Read(void* data, std::size_t size) {
  if (size > Remaining()) throw EReadError("stream read error: the stream ended early");
  if (size == 0) return;
  std::memcpy(data, bytes_.data() + position_, size);
  position_ += size;
}

int CompareWeekDayAsc(const TMyTimerData& first, const TMyTimerData& second) {
  return Sign(first.WeekDay, second.WeekDay);
}

int CompareWeekDayDesc(const TMyTimerData& first, const TMyTimerData& second) {
  return Sign(second.WeekDay, first.WeekDay);
}

int TDataList::Add(const TMyTimerData& item) {
  items_.push_back(item);
  return Count() - 1;
}

void TDataList::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    throw EListError("list index out of bounds (" + std::to_string(index) + ")");
}

void TDataList::GetItem(int index, TMyTimerData& item) const {
  CheckIndex(index);
  item = items_[static_cast<std::size_t>(index)];
}

TMyTimerData TDataList::GetItem(int index) const {
  TMyTimerData item;
  GetItem(index, item);
  return item;
}

void TDataList::SetItem(int index, const TMyTimerData& item) {
  CheckIndex(index);
  items_[static_cast<std::size_t>(index)] = item;
}

void TDataList::SaveToStream(TMemoryStream& stream) const {
  WriteInteger(stream, Count());
  for (const TMyTimerData& item : items_) {
    WriteInteger(stream, item.No);
    WriteInteger(stream, item.WeekDay);
    WriteInteger(stream, item.Hour);
    WriteInteger(stream, item.Minute);
    WriteText(stream, item.Command);
    WriteBoolean(stream, item.Enabled);
    WriteBoolean(stream, item.Fired);
  }
}

void TDataList::LoadFromStream(TMemoryStream& stream) {
  Clear();
  const int count = ReadInteger(stream);
  for (int i = 0; i < count; ++i) {
    TMyTimerData item;
    item.No = ReadInteger(stream);
    item.WeekDay = ReadInteger(stream);
    item.Hour = ReadInteger(stream);
    item.Minute = ReadInteger(stream);
    item.Command = ReadText(stream);
    item.Enabled = ReadBoolean(stream);
    item.Fired = ReadBoolean(stream);
    Add(item);
  }
}

void TDataList::Sort(TCompareTimers compare) {
  std::stable_sort(
      items_.begin(), items_.end(),
      [compare](const TMyTimerData& a, const TMyTimerData& b) { return compare(a, b) < 0; });
}

void TDataList::Assign(const TDataList& source) {
  if (&source != this) items_ = source.items_;
}

}  // namespace zr4
