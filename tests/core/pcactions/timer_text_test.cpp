#include "core/pcactions/timer_text.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

TMyTimerData Timer(int weekDay, int hour, int minute, std::string command, bool enabled, int no) {
  return {weekDay, hour, minute, std::move(command), no, false, enabled};
}

TEST(TimerTextTest, WritesFiveFieldsJoinedByCommas) {
  EXPECT_EQ(TimerToText(Timer(8, 7, 30, "-ON", true, 0)), "8,7,30,-ON,1");
  TMyTimerData fired = Timer(3, 22, 5, "-OFF", false, 4);
  fired.Fired = true;
  EXPECT_EQ(TimerToText(fired), "3,22,5,-OFF,0");
}

TEST(TimerTextTest, ReadsTheFieldsAndTheFlag) {
  EXPECT_EQ(TimerFromText("2,7,30,-ON,1", 0), Timer(2, 7, 30, "-ON", true, 0));
  EXPECT_EQ(TimerFromText("8,23,5,-OFF,0", 7), Timer(8, 23, 5, "-OFF", false, 7));
  EXPECT_EQ(TimerFromText("3,22,5,-OFF,1", 1), Timer(3, 22, 5, "-OFF", true, 1));
  EXPECT_EQ(TimerFromText("3,22,5,-OFF,yes", 1), Timer(3, 22, 5, "-OFF", false, 1));
  EXPECT_EQ(TimerFromText("3, 22 ,5,-ON -PCALL 5,1", 1), Timer(3, 22, 5, "-ON -PCALL 5", true, 1));
}

TEST(TimerTextTest, ACommandWithCommasReadsBackIntact) {
  const TMyTimerData item = Timer(8, 6, 0, "-ON,-INPUT,CD,-TRACK,3", true, 2);
  EXPECT_EQ(TimerFromText(TimerToText(item), 2), item);
  EXPECT_EQ(TimerFromText("1,2,3,,1", 0), Timer(1, 2, 3, "", true, 0));
}

TEST(TimerTextTest, FewerThanFiveFieldsAreNotEnabled) {
  EXPECT_EQ(TimerFromText("8,7,30,1", 0), Timer(8, 7, 30, "1", false, 0));
  EXPECT_EQ(TimerFromText("8,7,30,", 0), Timer(8, 7, 30, "", false, 0));
  EXPECT_EQ(TimerFromText("8,7,30", 0), Timer(8, 7, 30, "", false, 0));
}

TEST(TimerTextTest, NonNumbersInTheFirstThreeFieldsAreRefused) {
  for (const char* text : {"", "x,7,30,-ON,1", "8,,30,-ON,1", "8,7,3O,-ON,1", "8,7", "8",
                           "99999999999,7,30,-ON,1", "8.5,7,30,-ON,1"})
    EXPECT_FALSE(TimerFromText(text, 0).has_value()) << text;
}

}  // namespace
}  // namespace zr4
