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
#include "platform/device/win32_api.h"

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
    std::size_t output_size;
  };
  struct TransferCall {
    std::uintptr_t entry;
    std::uintptr_t interface_handle;
    WinUsbSetupPacket setup;
    std::vector<std::uint8_t> data;  // the buffer as handed in
    std::uint32_t length;
  };

  // --- device interfaces ---------------------------------------------------------------------
  // The present interfaces of a class, by index.
  void AddInterface(const Guid& interface_class, std::string path) {
    classes_[Key(interface_class)].push_back(std::move(path));
  }
  std::set<std::string> unreadable_classes;  // SetupDiGetClassDevsA fails for these (Key())
  std::uint32_t detail_query_error = kErrorInsufficientBuffer;
  std::vector<std::uint32_t> enumerated_indexes;
  int sets_open = 0;

  // --- files and I/O control -----------------------------------------------------------------
  std::set<std::string> unopenable;    // CreateFileA fails for these paths
  std::vector<std::uint8_t> io_reply;  // copied to the start of the output buffer
  bool io_result = true;
  bool io_throws = false;
  std::uint32_t io_error = 0;  // last error after an I/O control
  std::vector<OpenCall> opens;
  std::vector<IoCall> io_calls;
  std::vector<std::uintptr_t> closed;
  std::map<std::uint32_t, std::string> messages;  // system message texts by code
  std::vector<std::uint32_t> message_buffer_sizes;

  // --- run-time library ----------------------------------------------------------------------
  bool library_present = true;
  std::set<std::string> missing_entries;
  std::uint32_t error_mode = 0x0001;
  std::vector<std::uint32_t> error_mode_at_load;
  std::vector<std::string> loaded;
  std::vector<std::uintptr_t> freed_modules;

  // --- WinUSB ---------------------------------------------------------------------------------
  bool initialize_result = true;
  std::uintptr_t initialize_handle = 0x5151;
  bool transfer_result = true;
  std::uint32_t transfer_error = 0;
  std::vector<std::uint8_t> transfer_reply;  // copied into the buffer of an IN transfer
  std::uint32_t transferred = 32;
  std::vector<std::uintptr_t> initialized_files;
  std::vector<TransferCall> transfers;
  std::vector<std::uintptr_t> freed_interfaces;

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

  std::uintptr_t SetupDiGetClassDevsA(const Guid& interface_class, std::uint32_t flags) override {
    calls.push_back("SetupDiGetClassDevsA");
    if (flags != (kDigcfPresent | kDigcfDeviceInterface)) throw std::logic_error("flags");
    if (unreadable_classes.count(Key(interface_class)) != 0) return kInvalidHandleValue;
    ++sets_open;
    set_class_ = Key(interface_class);
    return 0x5E7;
  }

  bool SetupDiEnumDeviceInterfaces(std::uintptr_t set, const Guid& interface_class,
                                   std::uint32_t index, DeviceInterfaceData& data) override {
    calls.push_back("SetupDiEnumDeviceInterfaces");
    if (set != 0x5E7 || Key(interface_class) != set_class_) throw std::logic_error("set");
    enumerated_indexes.push_back(index);
    const auto& paths = classes_[set_class_];
    if (index >= paths.size()) {
      last_error_ = 259;  // ERROR_NO_MORE_ITEMS
      return false;
    }
    data.interface_class = interface_class;
    data.reserved = index;
    return true;
  }

  bool SetupDiGetDeviceInterfaceDetailA(std::uintptr_t set, DeviceInterfaceData& data,
                                        std::vector<std::uint8_t>& detail,
                                        std::uint32_t& required_size) override {
    calls.push_back("SetupDiGetDeviceInterfaceDetailA");
    if (set != 0x5E7) throw std::logic_error("set");
    const std::string& path = classes_[set_class_].at(data.reserved);
    required_size = static_cast<std::uint32_t>(kDetailPathOffset + path.size() + 1);
    if (detail.empty()) {
      last_error_ = detail_query_error;
      return false;
    }
    std::uint32_t size_field = 0;
    std::memcpy(&size_field, detail.data(), sizeof size_field);
    const std::uint32_t expected = sizeof(void*) == 8 ? 8 : 5;
    if (size_field != expected) {
      last_error_ = kErrorInvalidUserBuffer;
      return false;
    }
    if (detail.size() < required_size) {
      last_error_ = kErrorInsufficientBuffer;
      return false;
    }
    std::copy(path.begin(), path.end(), detail.begin() + kDetailPathOffset);
    detail[kDetailPathOffset + path.size()] = 0;
    return true;
  }

  bool SetupDiDestroyDeviceInfoList(std::uintptr_t set) override {
    calls.push_back("SetupDiDestroyDeviceInfoList");
    if (set != 0x5E7) throw std::logic_error("set");
    --sets_open;
    return true;
  }

  std::uintptr_t CreateFileA(const std::string& path, std::uint32_t access, std::uint32_t share,
                             std::uint32_t creation, std::uint32_t flags) override {
    calls.push_back("CreateFileA");
    std::uintptr_t handle = kInvalidHandleValue;
    if (unopenable.count(path) == 0) {
      handle = next_handle_++;
    } else {
      last_error_ = 2;
    }
    opens.push_back({path, access, share, creation, flags, handle});
    return handle;
  }

  bool DeviceIoControl(std::uintptr_t handle, std::uint32_t code,
                       const std::vector<std::uint8_t>& input, std::vector<std::uint8_t>& output,
                       std::uint32_t& returned) override {
    calls.push_back("DeviceIoControl");
    io_calls.push_back({handle, code, input, output.size()});
    if (io_throws) throw std::runtime_error("driver");
    const std::size_t n = std::min(io_reply.size(), output.size());
    std::copy_n(io_reply.begin(), n, output.begin());
    returned = static_cast<std::uint32_t>(n);
    last_error_ = io_error;
    return io_result;
  }

  bool CloseHandle(std::uintptr_t handle) override {
    calls.push_back("CloseHandle");
    closed.push_back(handle);
    return true;
  }

  std::uint32_t GetLastError() override { return last_error_; }

  std::string FormatMessageA(std::uint32_t code, std::uint32_t buffer_size) override {
    message_buffer_sizes.push_back(buffer_size);
    auto it = messages.find(code);
    return it == messages.end() ? std::string() : it->second;
  }

  std::uint32_t SetErrorMode(std::uint32_t mode) override {
    calls.push_back("SetErrorMode");
    return std::exchange(error_mode, mode);
  }

  std::uintptr_t LoadLibraryA(const std::string& name) override {
    calls.push_back("LoadLibraryA");
    loaded.push_back(name);
    error_mode_at_load.push_back(error_mode);
    return library_present ? kModule : 0;
  }

  std::uintptr_t GetProcAddress(std::uintptr_t module, const std::string& name) override {
    if (module != kModule) throw std::logic_error("module");
    return missing_entries.count(name) != 0 ? 0 : EntryOf(name);
  }

  bool FreeLibrary(std::uintptr_t module) override {
    freed_modules.push_back(module);
    return true;
  }

  bool WinUsb_Initialize(std::uintptr_t entry, std::uintptr_t file,
                         std::uintptr_t& interface_handle) override {
    calls.push_back("WinUsb_Initialize");
    if (entry != EntryOf("WinUsb_Initialize")) throw std::logic_error("entry");
    initialized_files.push_back(file);
    interface_handle = initialize_handle;
    return initialize_result;
  }

  bool WinUsb_ControlTransfer(std::uintptr_t entry, std::uintptr_t interface_handle,
                              const WinUsbSetupPacket& setup, std::uint8_t* buffer,
                              std::uint32_t length, std::uint32_t& count) override {
    calls.push_back("WinUsb_ControlTransfer");
    if (entry != EntryOf("WinUsb_ControlTransfer")) throw std::logic_error("entry");
    transfers.push_back({entry, interface_handle, setup, {buffer, buffer + length}, length});
    if (setup.request_type & 0x80) {
      std::copy_n(transfer_reply.begin(), std::min<std::size_t>(transfer_reply.size(), length),
                  buffer);
    }
    count = transferred;
    last_error_ = transfer_error;
    return transfer_result;
  }

  bool WinUsb_Free(std::uintptr_t entry, std::uintptr_t interface_handle) override {
    calls.push_back("WinUsb_Free");
    if (entry != EntryOf("WinUsb_Free")) throw std::logic_error("entry");
    freed_interfaces.push_back(interface_handle);
    return true;
  }

 private:
  std::map<std::string, std::vector<std::string>> classes_;
  std::string set_class_;
  std::uint32_t last_error_ = 0;
  std::uintptr_t next_handle_ = 100;
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
