// Monitor power, other applications' windows and the audio outputs on Windows.
#pragma once

#include <functional>

#include "core/ports/app_windows.h"
#include "core/ports/audio_outputs.h"
#include "core/ports/monitor_power.h"
#include "platform/gestures/pc_api_windows.h"

namespace zr4 {

// Posts SC_MONITORPOWER to the program's own top-level window, which the system passes on to
// the monitors.
class WindowsMonitorPower : public MonitorPower {
 public:
  WindowsMonitorPower(Win32PcApi& api, std::function<std::uintptr_t()> mainWindow)
      : api_(api), mainWindow_(std::move(mainWindow)) {}
  void SetMonitorPower(bool on) override;

 private:
  Win32PcApi& api_;
  std::function<std::uintptr_t()> mainWindow_;
};

class WindowsAppWindows : public AppWindows {
 public:
  explicit WindowsAppWindows(Win32PcApi& api) : api_(api) {}
  TAppWindow FindAppWindow(const std::string& windowClass) override;
  void BringToFront(TAppWindow window) override;
  void CloseAppWindow(TAppWindow window) override;
  void PostToAppWindow(TAppWindow window, std::uint32_t msg, std::int32_t wParam,
                       std::int32_t lParam) override;
  void StartProgram(const std::string& program, const std::string& params) override;

 private:
  Win32PcApi& api_;
};

// The wave output devices, and the sound mapper's preferred playback device in the registry.
class WaveOutputs : public AudioOutputs {
 public:
  explicit WaveOutputs(Win32PcApi& api) : api_(api) {}
  std::vector<std::string> OutputNames() override;
  std::string PreferredOutput() override;
  void SetPreferredOutput(const std::string& name) override;

 private:
  Win32PcApi& api_;
};

}  // namespace zr4
