// A stand-in for the Win32 calls of the PC-side actions: it plays a system of a given version
// with a power library, a shell version and windows of given classes, records every call as one
// line in the order it came, and answers with prepared results.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/gestures/pc_api_windows.h"

namespace zr4::test {

class FakeWin32PcApi : public Win32PcApi {
 public:
  bool GetVersionExA(OsVersion& out) override {
    out = version;
    return true;
  }
  bool OpenProcessToken(std::uint32_t access, std::uintptr_t& token) override {
    Call("OpenProcessToken " + std::to_string(access));
    token = 77;
    return tokenOpens;
  }
  bool LookupPrivilegeValueA(const std::string& name, std::uint64_t& luid) override {
    Call("LookupPrivilegeValue " + name);
    luid = 19;
    return privilegeFound;
  }
  bool AdjustTokenPrivileges(std::uintptr_t token, std::uint64_t luid,
                             std::uint32_t attributes) override {
    Call("AdjustTokenPrivileges " + std::to_string(token) + " " + std::to_string(luid) + " " +
         std::to_string(attributes));
    return privilegeAdjusts;
  }
  bool CloseHandle(std::uintptr_t handle) override {
    Call("CloseHandle " + std::to_string(handle));
    return true;
  }
  bool SetSystemPowerState(std::int32_t suspend, std::int32_t force) override {
    Call("SetSystemPowerState " + std::to_string(suspend) + " " + std::to_string(force));
    return powerStateSucceeds;
  }
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override {
    Call("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reserved));
    return exitSucceeds;
  }
  std::uintptr_t LoadLibraryA(const std::string& name) override {
    Call("LoadLibrary " + name);
    return powerLibrary ? 500 : 0;
  }
  std::uintptr_t GetProcAddress(std::uintptr_t, const std::string& name) override {
    Call("GetProcAddress " + name);
    const auto found = powerAnswers.find(name);
    if (found == powerAnswers.end()) return 0;
    entries[600 + entries.size()] = found->second;
    return 600 + entries.size() - 1;
  }
  bool CallBooleanProc(std::uintptr_t entry) override {
    Call("call");
    return entries.at(entry);
  }
  bool FreeLibrary(std::uintptr_t module) override {
    Call("FreeLibrary " + std::to_string(module));
    return true;
  }
  std::uint32_t GetFileVersionInfoSizeA(const std::string&) override { return shellResource; }
  bool GetFileVersionInfoA(const std::string&, std::vector<std::uint8_t>& data) override {
    return data.size() == shellResource;
  }
  bool VerQueryFileVersionMS(const std::vector<std::uint8_t>&, std::uint32_t& ms) override {
    ms = shellVersionMS;
    return shellRootReadable;
  }
  std::uintptr_t FindWindowA(const std::string& windowClass) override {
    Call("FindWindow " + windowClass);
    if (windowClass == "Progman" && !progmanPresence.empty()) {
      const bool present = progmanPresence.front();
      if (progmanPresence.size() > 1) progmanPresence.erase(progmanPresence.begin());
      return present ? 30 : 0;
    }
    const auto found = windows.find(windowClass);
    return found == windows.end() ? 0 : found->second;
  }
  bool SetForegroundWindow(std::uintptr_t window) override {
    Call("SetForegroundWindow " + std::to_string(window));
    return true;
  }
  bool PostMessageA(std::uintptr_t window, std::uint32_t msg, std::uintptr_t wParam,
                    std::intptr_t lParam) override {
    Call("PostMessage " + std::to_string(window) + " " + std::to_string(msg) + " " +
         std::to_string(wParam) + " " + std::to_string(lParam));
    return true;
  }
  std::intptr_t SendMessageA(std::uintptr_t window, std::uint32_t msg, std::uintptr_t wParam,
                             std::intptr_t lParam) override {
    Call("SendMessage " + std::to_string(window) + " " + std::to_string(msg) + " " +
         std::to_string(wParam) + " " + std::to_string(lParam));
    return 1;
  }
  void ShellExecuteA(const std::string& verb, const std::string& file, const std::string& params,
                     const std::string& directory, int show) override {
    Call("ShellExecute " + verb + " " + file + " [" + params + "] [" + directory + "] " +
         std::to_string(show));
  }
  void Sleep(std::uint32_t ms) override { Call("Sleep " + std::to_string(ms)); }
  std::uint32_t WaveOutGetNumDevs() override { return static_cast<std::uint32_t>(devices.size()); }
  bool WaveOutGetDevCapsA(std::uint32_t device, std::string& name) override {
    name = devices.at(device);
    return true;
  }
  // Japanese Windows in miniature: ASCII, and the double-byte characters of `codePage`.
  std::string AnsiToUtf8(const std::string& ansi) override {
    std::string utf8;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
      if (static_cast<unsigned char>(ansi[i]) < 0x80) {
        utf8 += ansi[i];
        continue;
      }
      const auto found = codePage.find(ansi.substr(i++, 2));
      utf8 += found == codePage.end() ? "\u30FB" : found->second;  // as the system marks a gap
    }
    return utf8;
  }
  bool Utf8ToAnsi(const std::string& utf8, std::string& ansi) override {
    ansi.clear();
    for (std::size_t i = 0; i < utf8.size();) {
      if (static_cast<unsigned char>(utf8[i]) < 0x80) {
        ansi += utf8[i++];
        continue;
      }
      bool known = false;
      for (const auto& [bytes, character] : codePage)
        if (utf8.compare(i, character.size(), character) == 0) {
          ansi += bytes;
          i += character.size();
          known = true;
          break;
        }
      if (!known) return false;
    }
    return true;
  }
  bool RegReadUserString(const std::string& key, const std::string& value,
                         std::string& text) override {
    const auto found = registry.find(key + "\\" + value);
    if (found == registry.end()) return false;
    text = found->second;
    return true;
  }
  bool RegWriteUserString(const std::string& key, const std::string& value,
                          const std::string& text) override {
    if (!keyExists) return false;
    registry[key + "\\" + value] = text;
    return true;
  }

  std::vector<std::string> Take() { return std::exchange(calls, {}); }

  OsVersion version{2, 10, 0};
  bool tokenOpens = true, privilegeFound = true, privilegeAdjusts = true;
  bool powerStateSucceeds = true, exitSucceeds = true;
  bool powerLibrary = true;
  std::map<std::string, bool> powerAnswers{{"IsPwrSuspendAllowed", true},
                                           {"IsPwrHibernateAllowed", true}};
  std::uint32_t shellResource = 64;
  std::uint32_t shellVersionMS = 0x00060000;
  bool shellRootReadable = true;
  // CP932 bytes and the characters they stand for.
  std::map<std::string, std::string> codePage{
      {"\x83\x58", "ス"}, {"\x83\x73", "ピ"}, {"\x81\x5B", "ー"}, {"\x83\x4A", "カ"}};
  std::vector<bool> progmanPresence;  // answers in turn; the last one stays
  std::map<std::string, std::uintptr_t> windows;
  std::vector<std::string> devices;
  std::map<std::string, std::string> registry;
  bool keyExists = true;
  std::vector<std::string> calls;

 private:
  void Call(std::string line) { calls.push_back(std::move(line)); }
  std::map<std::uintptr_t, bool> entries;
};

}  // namespace zr4::test
