// Where the window's parts go for a skin, and the volume bar's arithmetic: the knob's place for
// a volume, and the volume for a press or a knob drag.
#pragma once

#include <array>
#include <optional>

#include "core/skin/skin.h"

namespace zr4 {

struct TButtonPlace {
  TSkinPoint Pos;
  bool Visible = false;
  bool SkinMode = false;  // paints its state images
};

struct TSkinLayout {
  // By display slot. A label's visibility is left alone where the display decides it.
  std::array<TSkinPoint, kDisplaySlotCount> LabelPos{};
  std::array<std::optional<bool>, kDisplaySlotCount> LabelVisible{};
  std::array<TSkinFont, kDisplaySlotCount> LabelFont{};
  std::array<TButtonPlace, kSkinButtonCount> Buttons{};
  // The volume scroll bar: left, top and width always; height only when KeepsHeight is false.
  TRect ScrollBar;
  bool ScrollBarKeepsHeight = false;
  std::optional<bool> ScrollBarVertical;  // none: as it was
  bool ScrollBarVisible = true;
  bool Framed = false;  // the window has a frame (strip skins with "Border")
  // The simulated component's mark: in the unit label's column on the tone label's row, where
  // skins leave room after the row's short texts, in the mute label's font and colour (the
  // display's warning colour).
  TSkinPoint SimMarkPos;
  TSkinFont SimMarkFont;
};

TSkinLayout ApplySkinLayout(const TSkinLook& look);

// offset × volMax / span, to the nearest integer with halves to even; 0 for a span of 0.
int VolumeFromOffset(int offset, int span, int volMax);

// The knob's top-left corner for a volume; the knob slides along the volume bar rectangle.
TSkinPoint PlaceVolumeKnob(const TSkinLook& look, TSkinPoint knob, int volume, int volMax);

// A left press at (x, y) of the window: the volume it sets when it lies in the volume bar (left
// and top inclusive) and the skin shows no scroll bar there.
std::optional<int> VolumeAtPress(const TExInfo& ex, int x, int y, int volMax);

// The knob dragged with the left button: every second move event counts (the toggle is the
// program's), (x, y) in the knob's coordinates.
class TKnobDrag {
 public:
  std::optional<int> Move(const TExInfo& ex, TSkinPoint knob, bool leftButtonOnly, int x, int y,
                          int volMax);

 private:
  bool toggle_ = false;
};

}  // namespace zr4
