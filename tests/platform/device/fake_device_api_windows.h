// A stand-in for the Win32 calls of the device back-ends: it holds the device interfaces of each
// class, answers I/O controls and WinUSB transfers with prepared bytes, and records every call
// and every byte it is given. It checks the detail record's size field the way the system does.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ports/log.h"
#include "platform/device/device_api_windows.h"

namespace zr4::test {

class FakeWin32Api : public Win32Api {
 public:
  struct OpenCall {
    std::string path;
    std::uint32_t access, share, creation, flags;
    std::uintptr_t handle;
  };
  struct IoCall {
    std::uintptr_t handle;
    std::uint32_t code;
    std::vector<std::uint8_t> input;
    std::size_t outputSize;
  };
  struct TransferCall {
    std::uintptr_t entry;
    std::uintptr_t interfaceHandle;
    WinUsbSetupPacket setup;
    std::vector<std::uint8_t> data;  // the buffer as handed in
    std::uint32_t length;
  };

  // --- device interfaces ---------------------------------------------------------------------
  // The present interfaces of a class, by index.
  void AddInterface(const Guid& interfaceClass, std::string path) {
    classes_[Key(interfaceClass)].push_back(std::move(path));
  }
  std::set<std::string> unreadableClasses;  // SetupDiGetClassDevsA fails for these (Key())
  std::uint32_t detailQueryError = kErrorInsufficientBuffer;
  std::vector<std::uint32_t> enumeratedIndexes;
  int setsOpen = 0;

  // --- files and I/O control -----------------------------------------------------------------
  std::set<std::string> unopenable;   // CreateFileA fails for these paths
  std::vector<std::uint8_t> ioReply;  // copied to the start of the output buffer
  bool ioResult = true;
  bool ioThrows = false;
  std::uint32_t ioError = 0;  // last error after an I/O control
  std::vector<OpenCall> opens;
  std::vector<IoCall> ioCalls;
  std::vector<std::uintptr_t> closed;
  std::map<std::uint32_t, std::string> messages;  // system message texts by code
  std::vector<std::uint32_t> messageBufferSizes;

  // --- run-time library ----------------------------------------------------------------------
  bool libraryPresent = true;
  std::set<std::string> missingEntries;
  std::uint32_t errorMode = 0x0001;
  std::vector<std::uint32_t> errorModeAtLoad;
  std::vector<std::string> loaded;
  std::vector<std::uintptr_t> freedModules;

  // --- WinUSB ---------------------------------------------------------------------------------
  bool initializeResult = true;
  std::uintptr_t initializeHandle = 0x5151;
  bool transferResult = true;
  std::uint32_t transferError = 0;
  std::vector<std::uint8_t> transferReply;  // copied into the buffer of an IN transfer
  std::uint32_t transferred = 32;
  std::vector<std::uintptr_t> initializedFiles;
  std::vector<TransferCall> transfers;
  std::vector<std::uintptr_t> freedInterfaces;

  std::vector<std::string> calls;  // call names in order

  static std::string Key(const Guid& g) {
    return std::string(reinterpret_cast<const char*>(&g), sizeof g);
  }
  // Entry point addresses the fake hands out, one per published name.
  static std::uintptr_t EntryOf(std::string_view name) {
    if (name == "WinUsb_Initialize") return 0xE1;
    if (name == "WinUsb_ControlTransfer") return 0xE2;
    if (name == "WinUsb_Free") return 0xE3;
    return 0;
  }
  static constexpr std::uintptr_t kModule = 0x10000;

  std::uintptr_t SetupDiGetClassDevsA(const Guid& interfaceClass, std::uint32_t flags) override {
    calls.push_back("SetupDiGetClassDevsA");
    if (flags != (kDigcfPresent | kDigcfDeviceInterface)) throw std::logic_error("flags");
    if (unreadableClasses.count(Key(interfaceClass)) != 0) return kInvalidHandleValue;
    ++setsOpen;
    setClass_ = Key(interfaceClass);
    return 0x5E7;
  }

  bool SetupDiEnumDeviceInterfaces(std::uintptr_t set, const Guid& interfaceClass,
                                   std::uint32_t index, DeviceInterfaceData& data) override {
    calls.push_back("SetupDiEnumDeviceInterfaces");
    if (set != 0x5E7 || Key(interfaceClass) != setClass_) throw std::logic_error("set");
    enumeratedIndexes.push_back(index);
    const auto& paths = classes_[setClass_];
    if (index >= paths.size()) {
      lastError_ = 259;  // ERROR_NO_MORE_ITEMS
      return false;
    }
    data.interfaceClass = interfaceClass;
    data.reserved = index;
    return true;
  }

  bool SetupDiGetDeviceInterfaceDetailA(std::uintptr_t set, DeviceInterfaceData& data,
                                        std::vector<std::uint8_t>& detail,
                                        std::uint32_t& requiredSize) override {
    calls.push_back("SetupDiGetDeviceInterfaceDetailA");
    if (set != 0x5E7) throw std::logic_error("set");
    const std::string& path = classes_[setClass_].at(data.reserved);
    requiredSize = static_cast<std::uint32_t>(kDetailPathOffset + path.size() + 1);
    if (detail.empty()) {
      lastError_ = detailQueryError;
      return false;
    }
    std::uint32_t sizeField = 0;
    std::memcpy(&sizeField, detail.data(), sizeof sizeField);
    const std::uint32_t expected = sizeof(void*) == 8 ? 8 : 5;
    if (sizeField != expected) {
      lastError_ = kErrorInvalidUserBuffer;
      return false;
    }
    if (detail.size() < requiredSize) {
      lastError_ = kErrorInsufficientBuffer;
      return false;
    }
    std::copy(path.begin(), path.end(), detail.begin() + kDetailPathOffset);
    detail[kDetailPathOffset + path.size()] = 0;
    return true;
  }

  bool SetupDiDestroyDeviceInfoList(std::uintptr_t set) override {
    calls.push_back("SetupDiDestroyDeviceInfoList");
    if (set != 0x5E7) throw std::logic_error("set");
    --setsOpen;
    return true;
  }

  std::uintptr_t CreateFileA(const std::string& path, std::uint32_t access, std::uint32_t share,
                             std::uint32_t creation, std::uint32_t flags) override {
    calls.push_back("CreateFileA");
    std::uintptr_t handle = kInvalidHandleValue;
    if (unopenable.count(path) == 0) {
      handle = nextHandle_++;
    } else {
      lastError_ = 2;
    }
    opens.push_back({path, access, share, creation, flags, handle});
    return handle;
  }

  bool DeviceIoControl(std::uintptr_t handle, std::uint32_t code,
                       const std::vector<std::uint8_t>& input, std::vector<std::uint8_t>& output,
                       std::uint32_t& returned) override {
    calls.push_back("DeviceIoControl");
    ioCalls.push_back({handle, code, input, output.size()});
    if (ioThrows) throw std::runtime_error("driver");
    const std::size_t n = std::min(ioReply.size(), output.size());
    std::copy_n(ioReply.begin(), n, output.begin());
    returned = static_cast<std::uint32_t>(n);
    lastError_ = ioError;
    return ioResult;
  }

  bool CloseHandle(std::uintptr_t handle) override {
    calls.push_back("CloseHandle");
    closed.push_back(handle);
    return true;
  }

  std::uint32_t GetLastError() override { return lastError_; }

  std::string FormatMessageA(std::uint32_t code, std::uint32_t bufferSize) override {
    messageBufferSizes.push_back(bufferSize);
    auto it = messages.find(code);
    return it == messages.end() ? std::string() : it->second;
  }

  std::uint32_t SetErrorMode(std::uint32_t mode) override {
    calls.push_back("SetErrorMode");
    return std::exchange(errorMode, mode);
  }

  std::uintptr_t LoadLibraryA(const std::string& name) override {
    calls.push_back("LoadLibraryA");
    loaded.push_back(name);
    errorModeAtLoad.push_back(errorMode);
    return libraryPresent ? kModule : 0;
  }

  std::uintptr_t GetProcAddress(std::uintptr_t module, const std::string& name) override {
    if (module != kModule) throw std::logic_error("module");
    return missingEntries.count(name) != 0 ? 0 : EntryOf(name);
  }

  bool FreeLibrary(std::uintptr_t module) override {
    freedModules.push_back(module);
    return true;
  }

  bool WinUsb_Initialize(std::uintptr_t entry, std::uintptr_t file,
                         std::uintptr_t& interfaceHandle) override {
    calls.push_back("WinUsb_Initialize");
    if (entry != EntryOf("WinUsb_Initialize")) throw std::logic_error("entry");
    initializedFiles.push_back(file);
    interfaceHandle = initializeHandle;
    return initializeResult;
  }

  bool WinUsb_ControlTransfer(std::uintptr_t entry, std::uintptr_t interfaceHandle,
                              const WinUsbSetupPacket& setup, std::uint8_t* buffer,
                              std::uint32_t length, std::uint32_t& count) override {
    calls.push_back("WinUsb_ControlTransfer");
    if (entry != EntryOf("WinUsb_ControlTransfer")) throw std::logic_error("entry");
    transfers.push_back({entry, interfaceHandle, setup, {buffer, buffer + length}, length});
    if (setup.requestType & 0x80) {
      std::copy_n(transferReply.begin(), std::min<std::size_t>(transferReply.size(), length),
                  buffer);
    }
    count = transferred;
    lastError_ = transferError;
    return transferResult;
  }

  bool WinUsb_Free(std::uintptr_t entry, std::uintptr_t interfaceHandle) override {
    calls.push_back("WinUsb_Free");
    if (entry != EntryOf("WinUsb_Free")) throw std::logic_error("entry");
    freedInterfaces.push_back(interfaceHandle);
    return true;
  }

 private:
  std::map<std::string, std::vector<std::string>> classes_;
  std::string setClass_;
  std::uint32_t lastError_ = 0;
  std::uintptr_t nextHandle_ = 100;
};

// Collects the diagnostic lines while it lives.
class LogCapture {
 public:
  LogCapture() {
    previous_ = SetLogSink([this](std::string_view line) { lines.emplace_back(line); });
  }
  ~LogCapture() { SetLogSink(std::move(previous_)); }

  std::vector<std::string> lines;

 private:
  LogSink previous_;
};

}  // namespace zr4::test
