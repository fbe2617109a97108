// The panel the controller window shows: the labels, the record they were made from, and the
// tray tip's refresh latch. Every change reaches the view with the labels as they now stand.
#pragma once

#include <cstdint>
#include <string>

#include "core/device/zr4defs.h"
#include "core/panel/panel_labels.h"

namespace zr4 {

class PanelView;

class TStatusDisplay {
 public:
  explicit TStatusDisplay(PanelView& panel) : panel_(panel) {}

  const TPanelLabels& Labels() const { return labels_; }
  // Counts the changes of the labels: whoever builds on them sees a change without comparing
  // every text.
  std::uint64_t Revision() const { return revision_; }
  const TDeviceStatus& LastStatus() const { return lastStatus_; }

  // Shows `status` when it differs from the last record shown and returns whether it did; the
  // record becomes the last one either way.
  bool Show(const TDeviceStatus& status);

  // The volume label follows the slider.
  void ShowVolume(int volume);
  // A command that starts the CD puts the play time in front of a station name.
  void ShowPlayTime();
  // A station name in place of the frequency and its unit.
  void ShowStationName(const std::string& name);
  // The frequency and its unit again, without a station name.
  void ShowFrequency();
  // Selecting the CD hides the frequency unit until the tuner shows a frequency again.
  void HideUnit();

  // False once the labels changed: the tray tip is rebuilt at the next hover.
  bool TrayTipLatch() const { return trayTipLatch_; }
  void SetTrayTipLatch(bool latched) { trayTipLatch_ = latched; }

 private:
  void Changed();

  PanelView& panel_;
  TPanelLabels labels_;
  std::uint64_t revision_ = 0;
  TDeviceStatus lastStatus_;
  bool trayTipLatch_ = false;
};

}  // namespace zr4
