// The volume slider's model: a position within 0..Max that reports only real changes.
#pragma once

#include <algorithm>
#include <functional>

namespace zr4 {

class TVolumeControl {
 public:
  int Position() const { return position_; }
  int Max() const { return max_; }
  int SmallChange = 1;  // Left/Right keys
  int LargeChange = 5;  // Up/Down keys

  // Moves to `position` clamped to 0..Max; runs OnChange only when the position really moved.
  void SetPosition(int position) {
    position = std::clamp(position, 0, max_);
    if (position == position_) return;
    position_ = position;
    if (OnChange) OnChange();
  }

  // Moves by `delta` steps, up or down, as a key or a wheel notch does.
  void Step(int delta) { SetPosition(position_ + delta); }

  // A lower maximum pulls the position down with it, which counts as a change.
  void SetMax(int max) {
    max_ = std::max(max, 0);
    SetPosition(position_);
  }

  std::function<void()> OnChange;

 private:
  int position_ = 0;
  int max_ = 100;
};

}  // namespace zr4
