#include "core/skin/skin_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace zr4 {

namespace {

// num / den to the nearest integer, halves to even; den > 0.
std::int64_t RoundHalfEven(std::int64_t num, std::int64_t den) {
  std::int64_t q = num / den, r = num % den;
  if (r < 0) {
    r += den;
    --q;
  }
  if (2 * r > den || (2 * r == den && (q % 2) != 0)) ++q;
  return q;
}

}  // namespace

TSkinLayout ApplySkinLayout(const TSkinLook& look) {
  const TSkinInfo& info = look.Info;
  TSkinLayout layout;
  layout.LabelPos = info.DisplayPos;
  for (int slot : {slotInput, slotVol, slotVolStr, slotPresetNum, slotMute, slotTone, slotRepeat,
                   slotAutoManu})
    layout.LabelVisible[static_cast<std::size_t>(slot)] =
        info.DisplayVisible[static_cast<std::size_t>(slot)];
  for (int k = 0; k < kFontSlotCount; ++k)
    layout.LabelFont[kFontSlotLabels[static_cast<std::size_t>(k)]] =
        info.Fonts[static_cast<std::size_t>(k)];
  layout.SimMarkPos = {layout.LabelPos[slotHz].x, layout.LabelPos[slotTone].y};
  layout.SimMarkFont = layout.LabelFont[slotMute];
  for (int b = 0; b < kSkinButtonCount; ++b) {
    const auto i = static_cast<std::size_t>(b);
    layout.Buttons[i] = {info.ButtonPos[i], info.ButtonVisible[i], look.SkinFormat == kShapedSkin};
  }
  const TRect& r = info.ExInfo.VolBarRect;
  layout.ScrollBar = r;
  layout.ScrollBarKeepsHeight = r.right == 0;
  if (look.SkinFormat == kStripSkin) {
    layout.ScrollBarVisible = true;
    layout.Framed = info.ExInfo.Border;
  } else {
    layout.ScrollBarVisible = info.ExInfo.Bar;
    if (info.ExInfo.Bar) layout.ScrollBarVertical = info.ExInfo.Kind;
  }
  return layout;
}

int VolumeFromOffset(int offset, int span, int volMax) {
  if (span == 0) return 0;
  std::int64_t num = std::int64_t{offset} * volMax, den = span;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  return static_cast<int>(RoundHalfEven(num, den));
}

TSkinPoint PlaceVolumeKnob(const TSkinLook& look, TSkinPoint knob, int volume, int volMax) {
  if (!look.Info.ButtonVisible[btnVolseek]) return knob;
  const TRect& r = look.Info.ExInfo.VolBarRect;
  const TButtonFace& face = look.Buttons[btnVolseek];
  // A maximum of 0 leaves the knob at the bar's start rather than dividing by it.
  const std::int64_t max = volMax > 0 ? volMax : 1;
  if (look.Info.ExInfo.Kind) {
    const std::int64_t along = RoundHalfEven(std::int64_t{r.bottom - r.top} * volume, max);
    knob.y = static_cast<int>(r.bottom - along - face.Height / 2);
  } else {
    const std::int64_t along = RoundHalfEven(std::int64_t{r.right - r.left} * volume, max);
    knob.x = static_cast<int>(r.left + along - RoundHalfEven(face.Width, 2));
  }
  return knob;
}

std::optional<int> VolumeAtPress(const TExInfo& ex, int x, int y, int volMax) {
  const TRect& r = ex.VolBarRect;
  if (ex.Bar || x < r.left || x >= r.right || y < r.top || y >= r.bottom) return std::nullopt;
  if (ex.Kind) return VolumeFromOffset(r.bottom - y, r.bottom - r.top, volMax);
  return VolumeFromOffset(x - r.left, r.right - r.left, volMax);
}

std::optional<int> TKnobDrag::Move(const TExInfo& ex, TSkinPoint knob, bool leftButtonOnly, int x,
                                   int y, int volMax) {
  if (!leftButtonOnly) return std::nullopt;
  if (!toggle_) {
    toggle_ = true;
    return std::nullopt;
  }
  toggle_ = false;
  const TRect& r = ex.VolBarRect;
  if (ex.Kind) {
    const int p = std::clamp(y + knob.y, std::min(r.top, r.bottom), std::max(r.top, r.bottom));
    return VolumeFromOffset(r.bottom - p, r.bottom - r.top, volMax);
  }
  const int p = std::clamp(x + knob.x, std::min(r.left, r.right), std::max(r.left, r.right));
  return VolumeFromOffset(p - r.left, r.right - r.left, volMax);
}

}  // namespace zr4
