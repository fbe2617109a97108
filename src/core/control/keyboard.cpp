#include "core/control/keyboard.h"

#include "core/control/commands.h"
#include "core/panel/controller_view.h"
#include "core/panel/volume_control.h"
#include "core/settings/option_data.h"

namespace zr4 {

bool TKeyboard::FormKeyDown(int key, TShiftState shift) {
  if (shift != 0) return false;
  switch (key) {
    case kVkEscape:
      view_.CloseWindow();
      return true;
    case kVkPrior:
      commands_.MoveVolume(kPageStep);
      return true;
    case kVkNext:
      commands_.MoveVolume(-kPageStep);
      return true;
    case kVkHome:
      slider_.SetPosition(0);
      return true;
    case kVkEnd:
      return true;  // swallowed: the slider would jump to its maximum
    case kVkLeft:
      commands_.MoveVolume(-options_.VolLR);
      return true;
    case kVkRight:
      commands_.MoveVolume(options_.VolLR);
      return true;
    case kVkUp:
      commands_.MoveVolume(options_.VolUD);
      return true;
    case kVkDown:
      commands_.MoveVolume(-options_.VolUD);
      return true;
    default:
      return false;
  }
}

// A negative VolWheel turns the wheel's direction round.
void TKeyboard::FormMouseWheel(bool up) {
  const int step = options_.VolWheel;
  commands_.MoveVolume(up ? step : -step);
}

}  // namespace zr4
