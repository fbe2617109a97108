// Finds the ZR4PC through libusb and carries the 32-byte exchanges to it as vendor control
// transfers on the default pipe. No interface is claimed and no kernel driver is detached: the
// component is also a USB sound device whose audio must keep playing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/device/device_finder.h"
#include "platform/device/libusb_context_linux.h"

struct libusb_device;
struct libusb_device_handle;

namespace zr4 {

class LibusbDeviceFinder : public DeviceFinder {
 public:
  static constexpr unsigned kDefaultTimeoutMs = 1000;

  // `usb` must outlive the finder. `timeoutMs` bounds each control transfer.
  explicit LibusbDeviceFinder(LibusbContext& usb, unsigned timeoutMs = kDefaultTimeoutMs);
  ~LibusbDeviceFinder() override;
  LibusbDeviceFinder(const LibusbDeviceFinder&) = delete;
  LibusbDeviceFinder& operator=(const LibusbDeviceFinder&) = delete;

  // The first component in bus order that can be opened. Drops whatever was found before, so a
  // re-plugged component is picked up at its new address. The handle stays open between
  // requests; the returned request operation always acts on the latest component found.
  std::optional<FoundDevice> FindDevice() override;

  // True from a successful discovery until the component is found gone (a request or an open
  // reported "no device") or discovery runs again without finding it.
  bool Connected() const { return device_ != nullptr; }

  // True when the last discovery (or a reopen) met a component it was not allowed to open.
  bool AccessDenied() const { return !deniedPath_.empty(); }
  // The device node that could not be opened, for the message to the user.
  const std::string& DeniedPath() const { return deniedPath_; }

  // True once per finder (once per run) when AccessDenied() holds: the caller shows its message
  // box then and stays quiet on later discoveries.
  bool TakeAccessDeniedNotice();

  // Whether a component is on the bus at all, without opening it (the watcher's cheap rescan).
  bool ComponentPresent() const;

 private:
  bool Request(bool in, std::uint8_t* buffer);
  bool OpenHandle();
  void CloseHandle();
  void Forget();

  LibusbContext& usb_;
  unsigned timeoutMs_;
  libusb_device* device_ = nullptr;  // one reference held while Connected()
  libusb_device_handle* handle_ = nullptr;
  std::string path_;
  std::string deniedPath_;
  bool accessNoticeGiven_ = false;
};

}  // namespace zr4
