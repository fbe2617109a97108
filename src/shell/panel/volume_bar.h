// The window's volume control: a scroll bar to look at, a slider with its value to assistive
// technology (screen readers announce "slider, VOLUME, 22" and may set it, as a mouse would).
#pragma once

#include <QScrollBar>

namespace zr4 {

// The volume bar's hint, and its name to screen readers (the skin's volume knob shares it).
inline constexpr const char* kVolumeHint = "VOLUME";

class VolumeBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit VolumeBar(QWidget* parent);
};

}  // namespace zr4
