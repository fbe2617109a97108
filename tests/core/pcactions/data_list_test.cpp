#include "core/pcactions/data_list.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Save(const TDataList& list) {
  TMemoryStream stream;
  list.SaveToStream(stream);
  return stream.Bytes();
}

TMyTimerData Timer(int no, int weekDay, int hour, int minute, std::string command, bool enabled,
                   bool fired = false) {
  return {weekDay, hour, minute, std::move(command), no, fired, enabled};
}

TEST(DataListStreamTest, MatchesTheByteExamples) {
  TDataList list;
  EXPECT_EQ(Save(list), (Bytes{0x02, 0x00}));

  list.Add(Timer(0, 8, 7, 30, "-ON", true));
  EXPECT_EQ(Save(list), (Bytes{0x02, 0x01, 0x02, 0x00, 0x02, 0x08, 0x02, 0x07, 0x02, 0x1E, 0x06,
                               0x03, 0x2D, 0x4F, 0x4E, 0x09, 0x08}));

  list.SetItem(0, Timer(200, 8, -1, 30, "", false, true));
  EXPECT_EQ(Save(list), (Bytes{0x02, 0x01, 0x03, 0xC8, 0x00, 0x02, 0x08, 0x02, 0xFF, 0x02, 0x1E,
                               0x06, 0x00, 0x08, 0x09}));
}

TEST(DataListStreamTest, ChoosesTheSmallestIntegerAndTheTextForm) {
  TDataList list;
  list.Add(Timer(-129, 40000, -2147483647 - 1, 127, std::string(300, 'a'), true));
  list.Add(Timer(1, 2, 3, 4, "-ON 電源", false));
  const Bytes bytes = Save(list);
  const Bytes first = {0x02, 0x02, 0x03, 0x7F, 0xFF, 0x04, 0x40, 0x9C, 0x00, 0x00, 0x04,
                       0x00, 0x00, 0x00, 0x80, 0x02, 0x7F, 0x0C, 0x2C, 0x01, 0x00, 0x00};
  ASSERT_GT(bytes.size(), first.size());
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + first.size()), first);
  // "-ON 電源" goes out as UTF-8 under its own tag with a 4-byte length.
  const std::string command = "-ON 電源";
  Bytes tail = {0x14, static_cast<std::uint8_t>(command.size()), 0, 0, 0};
  tail.insert(tail.end(), command.begin(), command.end());
  tail.insert(tail.end(), {0x08, 0x08});
  EXPECT_EQ(Bytes(bytes.end() - static_cast<long>(tail.size()), bytes.end()), tail);

  TMemoryStream stream(bytes);
  TDataList back;
  back.LoadFromStream(stream);
  EXPECT_EQ(back, list);
  EXPECT_EQ(stream.Remaining(), 0u);
}

TEST(DataListStreamTest, LoadingReplacesAndReadsFromThePosition) {
  TDataList source;
  source.Add(Timer(0, 1, 2, 3, "-OFF", true, true));
  TMemoryStream stream(Bytes{0xAA});
  stream.Seek(1);
  source.SaveToStream(stream);
  stream.Seek(1);
  TDataList target;
  target.Add(Timer(5, 5, 5, 5, "old", false));
  target.Add(Timer(6, 6, 6, 6, "old", false));
  target.LoadFromStream(stream);
  EXPECT_EQ(target, source);  // Fired travels with the record

  TMemoryStream empty(Bytes{0x02, 0x00});
  target.LoadFromStream(empty);
  EXPECT_EQ(target.Count(), 0);
  TMemoryStream negative(Bytes{0x02, 0xFF});
  target.LoadFromStream(negative);
  EXPECT_EQ(target.Count(), 0);
}

TEST(DataListStreamTest, BadInputFailsAndKeepsWhatWasRead) {
  TDataList two;
  two.Add(Timer(0, 1, 2, 3, "a", true));
  two.Add(Timer(1, 4, 5, 6, "b", false));
  const Bytes good = Save(two);

  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    TMemoryStream stream(Bytes(good.begin(), good.begin() + static_cast<long>(cut)));
    TDataList list;
    EXPECT_THROW(list.LoadFromStream(stream), EReadError) << "cut at " << cut;
    EXPECT_EQ(list.Count(), cut < good.size() / 2 + 1 ? 0 : 1) << "cut at " << cut;
  }

  Bytes badTag = good;
  badTag[good.size() / 2 + 1] = 0x07;  // the tag of the second record's No
  TMemoryStream stream(badTag);
  TDataList list;
  EXPECT_THROW(list.LoadFromStream(stream), EReadError);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GetItem(0), two.GetItem(0));

  // A text length past the end fails without trying to hold that much.
  TMemoryStream huge(
      Bytes{0x02, 0x01, 0x02, 0, 0x02, 0, 0x02, 0, 0x02, 0, 0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'x'});
  EXPECT_THROW(list.LoadFromStream(huge), EReadError);

  // Any byte other than 09 reads as false.
  TMemoryStream flags(Bytes{0x02, 0x01, 0x02, 0, 0x02, 0, 0x02, 0, 0x02, 0, 0x06, 0, 0x01, 0x09});
  list.LoadFromStream(flags);
  EXPECT_FALSE(list.GetItem(0).Enabled);
  EXPECT_TRUE(list.GetItem(0).Fired);
}

TEST(DataListTest, IndicesOutsideTheListFail) {
  TDataList list;
  EXPECT_EQ(list.Add(Timer(0, 1, 0, 0, "x", true)), 0);
  EXPECT_EQ(list.Add(Timer(1, 2, 0, 0, "y", true)), 1);
  TMyTimerData item;
  EXPECT_THROW(list.GetItem(2, item), EListError);
  EXPECT_THROW(list.GetItem(-1, item), EListError);
  EXPECT_THROW(list.SetItem(2, item), EListError);
  list.GetItem(1, item);
  item.Command = "changed";
  EXPECT_EQ(list.GetItem(1).Command, "y");  // a copy was handed out
}

TEST(DataListTest, SortsByWeekDayAndAssignsCopies) {
  TDataList list;
  for (int day : {8, 7, 1, 8, 3}) list.Add(Timer(list.Count(), day, 0, 0, "", true));
  list.Sort(CompareWeekDayAsc);
  std::vector<int> days;
  for (int i = 0; i < list.Count(); ++i) days.push_back(list.GetItem(i).WeekDay);
  EXPECT_EQ(days, (std::vector<int>{1, 3, 7, 8, 8}));
  list.Sort(CompareWeekDayDesc);
  EXPECT_EQ(list.GetItem(0).WeekDay, 8);
  EXPECT_EQ(list.GetItem(4).WeekDay, 1);

  // Extreme days from a hand-edited file do not overflow the comparison.
  TDataList extremes;
  extremes.Add(Timer(0, 2147483647, 0, 0, "", true));
  extremes.Add(Timer(1, -2147483647 - 1, 0, 0, "", true));
  extremes.Sort(CompareWeekDayAsc);
  EXPECT_EQ(extremes.GetItem(0).No, 1);

  TDataList copy;
  copy.Add(Timer(9, 9, 9, 9, "gone", true));
  copy.Assign(list);
  EXPECT_EQ(copy, list);
  copy.Assign(copy);
  EXPECT_EQ(copy, list);
}

}  // namespace
}  // namespace zr4
