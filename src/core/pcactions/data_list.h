// The weekly timer record and the list that holds timer records, with the tagged binary stream
// form in which a list is copied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zr4 {

// One weekly timer entry; a plain value, copies are independent.
struct TMyTimerData {
  int WeekDay = 0;  // 1 Sunday … 7 Saturday, 8 every day
  int Hour = 0;
  int Minute = 0;
  std::string Command;  // a command line in the forwarded-parameter syntax
  int No = 0;           // position when the list was last built (the settings key's number)
  bool Fired = false;   // run-time only: the entry has run in its minute
  bool Enabled = false;

  bool operator==(const TMyTimerData&) const = default;
};

// A stream that ends early or holds a tag the reader does not accept.
class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An index outside the list.
class EListError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// A growable byte buffer with a read/write position.
class TMemoryStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  // Writes at the position, overwriting or extending the buffer.
  void Write(const void* data, std::size_t size);
  // Reads exactly `size` bytes; a stream that ends early raises EReadError.
  void Read(void* data, std::size_t size);
  std::size_t Remaining() const { return bytes_.size() - position_; }

  std::size_t Position() const { return position_; }
  void Seek(std::size_t position) {
    position_ = position < bytes_.size() ? position : bytes_.size();
  }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

using TCompareTimers = int (*)(const TMyTimerData& first, const TMyTimerData& second);

// Negative when `first` goes first. Only the sign is meaningful.
int CompareWeekDayAsc(const TMyTimerData& first, const TMyTimerData& second);
int CompareWeekDayDesc(const TMyTimerData& first, const TMyTimerData& second);

// An ordered list of timer records. It hands out copies only.
class TDataList {
 public:
  // Appends a copy; returns its index.
  int Add(const TMyTimerData& item);
  // EListError for an index outside 0..Count()-1.
  void GetItem(int index, TMyTimerData& item) const;
  TMyTimerData GetItem(int index) const;
  void SetItem(int index, const TMyTimerData& item);
  int Count() const { return static_cast<int>(items_.size()); }
  void Clear() { items_.clear(); }

  // Writes the list at the stream's position: the count, then per record No, WeekDay, Hour,
  // Minute, Command, Enabled, Fired, each as a tagged value.
  void SaveToStream(TMemoryStream& stream) const;
  // Replaces the contents with one list read from the stream's position. A bad tag or an early
  // end raises EReadError; the records read before it stay in the list.
  void LoadFromStream(TMemoryStream& stream);

  // Stable, so entries that compare equal keep their order.
  void Sort(TCompareTimers compare);
  void Assign(const TDataList& source);

  bool operator==(const TDataList&) const = default;

 private:
  void CheckIndex(int index) const;

  std::vector<TMyTimerData> items_;
};

}  // namespace zr4
