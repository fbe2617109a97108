#include "core/commands/keyboard.h"

#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"

namespace zr4::test {
namespace {

using KeyboardTest = CommandTest;

TEST_F(KeyboardTest, KeysMoveTheVolume) {
  Parts(controller).Options().VolLR = 2;
  Parts(controller).Options().VolUD = 7;
  const int start = Parts(controller).ScrollBar1().Position();
  const std::pair<int, int> steps[] = {{kVkPrior, 5}, {kVkNext, -5}, {kVkRight, 2},
                                       {kVkLeft, -2}, {kVkUp, 7},    {kVkDown, -7}};
  for (const auto& [key, step] : steps) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(controller.KeyDown(key, 0));
    EXPECT_EQ(Parts(controller).ScrollBar1().Position(), start + step);
    EXPECT_EQ(Take(), (Log{"pause 100", Send(cmdSetVolume, start + step)}));
    Parts(controller).ScrollBar1().SetPosition(start);
    clock.log.clear();
  }
  EXPECT_TRUE(controller.KeyDown(kVkHome, 0));
  EXPECT_EQ(Take(), (Log{"pause 100", Send(cmdSetVolume, 0)}));
  // At the bottom already: the slider does not move, nothing is sent.
  EXPECT_TRUE(controller.KeyDown(kVkLeft, 0));
  EXPECT_EQ(Take(), Log{});
}

TEST_F(KeyboardTest, EndIsSwallowedAndEscCloses) {
  EXPECT_TRUE(controller.KeyDown(kVkEnd, 0));
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 22);
  EXPECT_EQ(view.closeRequests, 0);
  EXPECT_TRUE(controller.KeyDown(kVkEscape, 0));
  EXPECT_EQ(view.closeRequests, 1);
  EXPECT_FALSE(controller.KeyDown(kVkA, 0));
  EXPECT_FALSE(controller.KeyDown(kVkSpace, 0));
  EXPECT_EQ(Take(), Log{});
}

TEST_F(KeyboardTest, AnyModifierOrButtonLeavesTheKeyAlone) {
  for (TShiftState shift : {ssShift, ssCtrl, ssAlt, ssLeft, ssRight, ssMiddle}) {
    SCOPED_TRACE(shift);
    for (int key :
         {kVkLeft, kVkRight, kVkUp, kVkDown, kVkPrior, kVkNext, kVkHome, kVkEnd, kVkEscape})
      EXPECT_FALSE(controller.KeyDown(key, shift));
  }
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 22);
  EXPECT_EQ(view.closeRequests, 0);
  EXPECT_EQ(Take(), Log{});
}

TEST_F(KeyboardTest, WheelStepsByVolWheelAndANegativeStepReverses) {
  controller.MouseWheel(true);
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 24);
  controller.MouseWheel(false);
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 22);
  Parts(controller).Options().VolWheel = -3;
  controller.MouseWheel(true);
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 19);
  controller.MouseWheel(false);
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 22);
  EXPECT_EQ(sim.volume(), 22);
}

}  // namespace
}  // namespace zr4::test
