#include "core/app/keyboard.h"

#include "core/app/controller.h"

namespace zr4 {

bool FormKeyDown(TController& c, int key, TShiftState shift) {
  if (shift != 0) return false;
  TCommands& commands = c.Commands();
  const TOptionData& o = c.Options();
  switch (key) {
    case kVkEscape:
      c.View().CloseWindow();
      return true;
    case kVkPrior:
      commands.MoveVolume(kPageStep);
      return true;
    case kVkNext:
      commands.MoveVolume(-kPageStep);
      return true;
    case kVkHome:
      c.ScrollBar1().SetPosition(0);
      return true;
    case kVkEnd:
      return true;  // swallowed: the slider would jump to its maximum
    case kVkLeft:
      commands.MoveVolume(-o.VolLR);
      return true;
    case kVkRight:
      commands.MoveVolume(o.VolLR);
      return true;
    case kVkUp:
      commands.MoveVolume(o.VolUD);
      return true;
    case kVkDown:
      commands.MoveVolume(-o.VolUD);
      return true;
    default:
      return false;
  }
}

// A negative VolWheel turns the wheel's direction round.
void FormMouseWheel(TController& c, bool up) {
  const int step = c.Options().VolWheel;
  c.Commands().MoveVolume(up ? step : -step);
}

}  // namespace zr4
