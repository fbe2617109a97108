// Switching the PC's monitors off and on.
#pragma once

namespace zr4 {

class MonitorPower {
 public:
  virtual ~MonitorPower() = default;

  // Nothing is reported: a system that cannot do it only notes that in the diagnostics.
  virtual void SetMonitorPower(bool on) = 0;
};

}  // namespace zr4
