#include "core/pcactions/gesture_entry.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

using Items = std::vector<std::string>;

TEST(GestureEntryTest, HoldsSequenceCommandAndFlag) {
  const TGestureEntry standby{"↑↑↓", "01,スタンバイ", true};
  EXPECT_EQ(GestureToText(standby), "↑↑↓,\"01,スタンバイ\",1");
  EXPECT_EQ(GestureFromText("↑↑↓,\"01,スタンバイ\",1"), standby);

  // An empty sequence still holds three items: the text begins with the comma that ends it.
  const TGestureEntry empty{"", "12,Winamp Play", false};
  EXPECT_EQ(GestureToText(empty), ",\"12,Winamp Play\",0");
  EXPECT_EQ(GestureFromText(",\"12,Winamp Play\",0"), empty);

  // Hand-edited lines: missing items are empty and not enabled; a flag must be exactly "1".
  EXPECT_EQ(GestureFromText("OFF"), (TGestureEntry{"OFF", "", false}));
  EXPECT_EQ(GestureFromText("OFF,\"01,x\",yes"), (TGestureEntry{"OFF", "01,x", false}));
  EXPECT_EQ(GestureFromText("OFF,\"01,x\",1,extra"), (TGestureEntry{"OFF", "01,x", true}));
}

}  // namespace
}  // namespace zr4
