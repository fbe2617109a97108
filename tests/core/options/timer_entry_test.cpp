// Timers added, changed, removed and sorted through the options dialog's timer list and the
// timer entry dialog.
#include <gtest/gtest.h>

#include "core/options/option_form_model.h"
#include "core/options/timer_entry_model.h"

namespace zr4 {
namespace {

class TimerEntryTest : public ::testing::Test {
 protected:
  TimerEntryTest() {
    TDataList timers;
    timers.Add({4, 6, 5, "-ON", 0, false, true});       // 水
    timers.Add({1, 22, 0, "-OFF", 1, true, false});     // 日
    timers.Add({8, 7, 30, "-VOL 20", 2, false, true});  // 毎日
    form.LoadTimers(timers);
  }
  TDataList Stored() const {
    TDataList list;
    form.StoreTimers(list);
    return list;
  }

  TOptionSortFlags flags;
  TOptionFormModel form{flags};
};

TEST_F(TimerEntryTest, RowsShowTheTimersAndStoreBackRenumbered) {
  const std::vector<TTimerRow> rows = {{"00", "水", "06:05", "-ON", true},
                                       {"01", "日", "22:00", "-OFF", false},
                                       {"02", "毎日", "07:30", "-VOL 20", true}};
  EXPECT_EQ(form.Timers, rows);
  form.DeleteTimers({0, 9});
  const TDataList list = Stored();
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.GetItem(0), (TMyTimerData{1, 22, 0, "-OFF", 0, false, false}));  // Fired cleared
  EXPECT_EQ(list.GetItem(1), (TMyTimerData{8, 7, 30, "-VOL 20", 1, false, true}));
}

TEST_F(TimerEntryTest, ADayTextThatNamesNoDayTakesThePreviousRowsDay) {
  form.Timers[0].Day = "?";
  form.Timers[2].Day = "x";
  const TDataList list = Stored();
  EXPECT_EQ(list.GetItem(0).WeekDay, 0);
  EXPECT_EQ(list.GetItem(2).WeekDay, 1);
}

TEST_F(TimerEntryTest, SortingByDayKeepsOldNumbersUntilStored) {
  form.SortTimers(1, CompareBytes);
  std::vector<std::string> order;
  for (const TTimerRow& row : form.Timers) order.push_back(row.No + row.Day);
  EXPECT_EQ(order, (std::vector<std::string>{"01日", "00水", "02毎日"}));
  const TDataList list = Stored();
  EXPECT_EQ(list.GetItem(0).No, 0);
  EXPECT_EQ(list.GetItem(0).Command, "-OFF");
  form.SortTimers(1, CompareBytes);  // the second click sorts the other way
  EXPECT_EQ(form.Timers.front().Day, "毎日");
  form.SortTimers(3, CompareBytes);  // by command text
  EXPECT_EQ(form.Timers.front().Command, "-OFF");
}

TEST_F(TimerEntryTest, ANewEntryIsAddedUncheckedWithTheFormerCount) {
  TTimerEntryModel entry(form, false, -1);
  EXPECT_FALSE(entry.NumberEnabled());
  entry.DayIndex = 7;
  entry.SetHour(7);
  entry.SetMinute(30);
  entry.ChooseOption(0);
  EXPECT_TRUE(entry.AddToCommand());
  EXPECT_EQ(entry.CommandLine, "-ON");
  EXPECT_TRUE(entry.Commit(form));
  EXPECT_EQ(form.Timers.back(), (TTimerRow{"03", "毎日", "07:30", "-ON", false}));
}

TEST_F(TimerEntryTest, ChangingAnEntryReplacesItUnchecked) {
  TTimerEntryModel entry(form, true, 2);
  EXPECT_EQ(entry.Numbers, (std::vector<std::string>{"00", "01", "02"}));
  EXPECT_EQ(entry.DayIndex, 7);
  EXPECT_EQ(entry.Hour, 7);
  EXPECT_EQ(entry.Minute, 30);
  EXPECT_EQ(entry.CommandLine, "-VOL 20");
  entry.SetMinute(75);
  EXPECT_EQ(entry.Minute, 59);
  EXPECT_TRUE(entry.Commit(form));
  ASSERT_EQ(form.Timers.size(), 3u);
  EXPECT_EQ(form.Timers[2], (TTimerRow{"02", "毎日", "07:59", "-VOL 20", false}));

  TTimerEntryModel unselected(form, true, -1);  // no number chosen: a new entry
  unselected.DayIndex = 0;
  unselected.CommandLine = "  -OFF  ";
  EXPECT_TRUE(unselected.Commit(form));
  EXPECT_EQ(form.Timers.back(), (TTimerRow{"03", "日", "00:00", "-OFF", false}));

  TTimerEntryModel incomplete(form, false, -1);
  incomplete.CommandLine = "-ON";
  EXPECT_FALSE(incomplete.Commit(form));  // no day
  EXPECT_EQ(form.Timers.size(), 4u);
}

TEST_F(TimerEntryTest, CommandLinesAreComposedFromOptionsAndArguments) {
  TTimerEntryModel entry(form, false, -1);
  const std::tuple<const char*, const char*, const char*, std::size_t, const char*> options[] = {
      {"-ON", nullptr, nullptr, 0, "電源ON"},
      {"-OFF", nullptr, nullptr, 0, "電源OFF"},
      {"-PCALL", "1", "40", 40, "TUNERの選局"},
      {"-VOL", "0", "70", 71, "ボリューム変更"},
      {"-VOLP", "0", "50", 51, "現在のボリュームにプラス"},
      {"-VOLM", "0", "50", 51, "現在のボリュームにマイナス"},
      {"-NB", "0", "2", 3, "N.B.モード (0:TONE, 1:N.B.1, 2:N.B.2)"},
      {"-ST", "0", "1", 2, "Auto/Manual変更 (0:Manual(MONO) 1:Auto(STEREO))"},
      {"-INPUT", "0", "4", 5, "インプットモードの変更 (0:TUNER, 1:CD, 2:MD, 3:AUX, 4:USB)"},
      {"-TRACK", "1", "20", 20, "CDの選曲"}};
  ASSERT_EQ(TimerCommandOptions().size(), 10u);
  for (int i = 0; i < 10; ++i) {
    const auto& [text, first, last, count, hint] = options[i];
    entry.ChooseOption(i);
    EXPECT_STREQ(TimerCommandOptions()[static_cast<std::size_t>(i)].text, text);
    EXPECT_EQ(entry.OptionHint, hint);
    ASSERT_EQ(entry.Arguments.size(), count) << text;
    if (count > 0) {
      EXPECT_EQ(entry.Arguments.front(), first);
      EXPECT_EQ(entry.Arguments.back(), last);
    }
  }
  EXPECT_EQ(entry.ArgumentHint, "");  // "-TRACK" clears it

  entry.ChooseOption(8);  // -INPUT
  EXPECT_EQ(entry.ArgumentHint, "0:TUNER, 1:CD, 2:MD, 3:AUX, 4:USB");
  EXPECT_FALSE(entry.AddToCommand());  // no argument chosen
  EXPECT_EQ(entry.CommandLine, "");
  entry.ArgumentIndex = 1;
  EXPECT_TRUE(entry.AddToCommand());
  entry.ChooseOption(3);  // -VOL
  entry.ArgumentIndex = 20;
  EXPECT_TRUE(entry.AddToCommand());
  EXPECT_EQ(entry.CommandLine, "-INPUT 1 -VOL 20");
  entry.ClearCommand();
  EXPECT_EQ(entry.CommandLine, "");
}

}  // namespace
}  // namespace zr4
