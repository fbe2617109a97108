#include "core/commands/keyboard.h"

#include "core/panel/volume_control.h"
#include "core/panel/window_view.h"
#include "core/settings/option_data.h"

namespace zr4 {

bool TKeyboard::FormKeyDown(int key, TShiftState shift) {
  if (shift != 0) return false;
  switch (key) {
    case kVkEscape:
      window_.CloseWindow();
      return true;
    case kVkPrior:
      slider_.Step(kPageStep);
      return true;
    case kVkNext:
      slider_.Step(-kPageStep);
      return true;
    case kVkHome:
      slider_.SetPosition(0);
      return true;
    case kVkEnd:
      return true;  // swallowed: the slider would jump to its maximum
    case kVkLeft:
      slider_.Step(-options_.VolLR);
      return true;
    case kVkRight:
      slider_.Step(options_.VolLR);
      return true;
    case kVkUp:
      slider_.Step(options_.VolUD);
      return true;
    case kVkDown:
      slider_.Step(-options_.VolUD);
      return true;
    default:
      return false;
  }
}

// A negative VolWheel turns the wheel's direction round.
void TKeyboard::FormMouseWheel(bool up) {
  const int step = options_.VolWheel;
  slider_.Step(up ? step : -step);
}

}  // namespace zr4
