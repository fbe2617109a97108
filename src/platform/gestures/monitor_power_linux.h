// Monitor power on Linux: X11 DPMS where the X server has it, Mutter's PowerSaveMode on GNOME
// Wayland; otherwise a diagnostic line and nothing else.
#pragma once

#include "core/ports/monitor_power.h"

namespace zr4 {

class LinuxMonitorPower : public MonitorPower {
 public:
  void SetMonitorPower(bool on) override;
};

}  // namespace zr4
