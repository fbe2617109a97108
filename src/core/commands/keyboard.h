// The window's own keys and the mouse wheel: they move the volume slider (and Esc closes).
#pragma once

#include "core/panel/virtual_keys.h"

namespace zr4 {

class WindowView;
class TVolumeControl;
struct TOptionData;

// Keys and buttons held while a key goes down.
enum TShiftFlag : unsigned {
  ssShift = 1u << 0,
  ssCtrl = 1u << 1,
  ssAlt = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
};
using TShiftState = unsigned;

constexpr int kPageStep = 5;

class TKeyboard {
 public:
  // The keys move `slider` by the steps `options` hold; Esc closes `window`.
  TKeyboard(WindowView& window, TVolumeControl& slider, const TOptionData& options)
      : window_(window), slider_(slider), options_(options) {}

  // Key-down of the window or of its volume slider. Returns whether the key was the window's
  // own (then nothing else may act on it); a key with any modifier or mouse button held is not.
  bool FormKeyDown(int key, TShiftState shift);

  // One wheel notch over the window, up or down; the event is always taken.
  void FormMouseWheel(bool up);

 private:
  WindowView& window_;
  TVolumeControl& slider_;
  const TOptionData& options_;
};

}  // namespace zr4
