#include "core/panel/status_display.h"

#include "core/panel/display_model.h"
#include "core/panel/panel_view.h"

namespace zr4 {

bool TStatusDisplay::Show(const TDeviceStatus& status) {
  const bool changed = !(status == lastStatus_);
  if (changed) {
    labels_ = DisplayLabels(status, labels_);
    trayTipLatch_ = false;
    Changed();
  }
  lastStatus_ = status;
  return changed;
}

void TStatusDisplay::ShowVolume(int volume) {
  labels_.lbVol = TwoDigits(volume);
  Changed();
}

void TStatusDisplay::ShowPlayTime() {
  labels_.lbRadioNumVisible = true;
  labels_.lbRadioNameVisible = false;
  Changed();
}

void TStatusDisplay::ShowStationName(const std::string& name) {
  labels_.lbRadioName = name;
  labels_.lbRadioNumVisible = false;
  labels_.lbHzVisible = false;
  labels_.lbRadioNameVisible = true;
  Changed();
}

void TStatusDisplay::ShowFrequency() {
  labels_.lbRadioName = "";
  labels_.lbRadioNumVisible = true;
  labels_.lbHzVisible = true;
  labels_.lbRadioNameVisible = false;
  Changed();
}

void TStatusDisplay::HideUnit() {
  labels_.lbHzVisible = false;
  Changed();
}

void TStatusDisplay::Changed() {
  ++revision_;
  panel_.LabelsChanged(labels_);
}

}  // namespace zr4
