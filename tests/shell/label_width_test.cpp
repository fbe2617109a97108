#include "shell/panel/label_width.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

TEST(LabelWidthTest, OnlyDigitsCountingInEvenDigitsKeepTheWidth) {
  EXPECT_TRUE(WidthCannotChange("03:05", "03:06", true));
  EXPECT_TRUE(WidthCannotChange("09:59", "10:00", true));
  EXPECT_TRUE(WidthCannotChange("22", "23", true));
  EXPECT_FALSE(WidthCannotChange("03:05", "03:06", false));  // proportional figures
  EXPECT_TRUE(WidthCannotChange("rep&&ran", "rep&&ran", false));

  EXPECT_FALSE(WidthCannotChange("99", "100", true));
  EXPECT_FALSE(WidthCannotChange("CD", "MD", true));
  EXPECT_FALSE(WidthCannotChange("PC USB", "PC USB PB", true));
  EXPECT_FALSE(WidthCannotChange("80.00", "80:00", true));
  EXPECT_FALSE(WidthCannotChange("", "07", true));
  EXPECT_FALSE(WidthCannotChange("1242", "Auto", true));
}

}  // namespace
}  // namespace zr4
