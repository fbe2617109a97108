// What the window draws of a skin: its face, outline and buttons, and the volume knob on it.
#pragma once

namespace zr4 {

struct TSkinLook;
struct TSkinLayout;

class SkinView {
 public:
  virtual ~SkinView() = default;

  // A skin was loaded: the face, the outline, the buttons' pictures and where everything goes.
  virtual void SkinChanged(const TSkinLook&, const TSkinLayout&) {}
  // The volume knob (button 22) moved to (left, top) of the window.
  virtual void VolumeKnobMoved(int, int) {}
};

}  // namespace zr4
