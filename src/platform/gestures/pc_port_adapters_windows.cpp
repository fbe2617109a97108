#include "platform/gestures/pc_port_adapters_windows.h"

#include "core/ports/log.h"

namespace zr4 {

namespace {
constexpr const char* kSoundMapperKey = "Software\\Microsoft\\Multimedia\\Sound Mapper";
constexpr const char* kPlaybackValue = "Playback";
}  // namespace

void WindowsMonitorPower::SetMonitorPower(bool on) {
  api_.PostMessageA(mainWindow_(), kWmSysCommand, kScMonitorPower, on ? -1 : 1);
}

TAppWindow WindowsAppWindows::FindAppWindow(const std::string& windowClass) {
  return api_.FindWindowA(windowClass);
}

void WindowsAppWindows::BringToFront(TAppWindow window) {
  api_.SetForegroundWindow(window);
}

void WindowsAppWindows::CloseAppWindow(TAppWindow window) {
  api_.PostMessageA(window, kWmClose, 0, 0);
}

void WindowsAppWindows::PostToAppWindow(TAppWindow window, std::uint32_t msg, std::int32_t wParam,
                                        std::int32_t lParam) {
  // Both parameters are signed 32-bit values as the file gives them, widened with their sign.
  api_.PostMessageA(window, msg, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(wParam)),
                    lParam);
}

void WindowsAppWindows::StartProgram(const std::string& program, const std::string& params) {
  api_.ShellExecuteA("open", program, params, "", kSwShowNormal);
}

std::vector<std::string> WaveOutputs::OutputNames() {
  std::vector<std::string> names;
  const std::uint32_t count = api_.WaveOutGetNumDevs();
  for (std::uint32_t device = 0; device < count; ++device) {
    std::string name;
    if (!api_.WaveOutGetDevCapsA(device, name))
      LogText("WaveOutputs: no capabilities for device " + std::to_string(device));
    names.push_back(api_.AnsiToUtf8(name));
  }
  return names;
}

// The value holds the name as the system gives it, in the ANSI code page; the list and the menu
// hold UTF-8.
std::string WaveOutputs::PreferredOutput() {
  std::string name;
  return api_.RegReadUserString(kSoundMapperKey, kPlaybackValue, name) ? api_.AnsiToUtf8(name)
                                                                       : std::string();
}

void WaveOutputs::SetPreferredOutput(const std::string& name) {
  std::string ansi;
  // A name the code page cannot hold would name no device; the value stays as it was.
  if (!api_.Utf8ToAnsi(name, ansi)) {
    LogText("WaveOutputs: the device name " + name + " has no form in the system's code page");
    return;
  }
  if (!api_.RegWriteUserString(kSoundMapperKey, kPlaybackValue, ansi))
    LogText("WaveOutputs: the preferred playback device could not be written");
}

}  // namespace zr4
