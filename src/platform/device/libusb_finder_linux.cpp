#include "platform/device/libusb_finder_linux.h"

#include <libusb.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/device/usb_transfer.h"
#include "core/device/zr4defs.h"
#include "core/ports/log.h"
#include "platform/device/error_text_linux.h"

namespace zr4 {

namespace {

// The usbfs node libusb opens; also the file whose permissions the udev rule changes.
std::string NodePath(libusb_device* device) {
  char path[32];
  std::snprintf(path, sizeof path, "/dev/bus/usb/%03u/%03u", libusb_get_bus_number(device),
                libusb_get_device_address(device));
  return path;
}

std::string IdText(std::uint16_t vendor, std::uint16_t product) {
  return VendorIdText(vendor) + " " + ProductIdText(product);
}

// Bus number, then the chain of hub ports: the order of the cables, stable across restarts.
std::vector<int> BusOrderKey(libusb_device* device) {
  std::uint8_t ports[8];
  const int depth = libusb_get_port_numbers(device, ports, sizeof ports);
  std::vector<int> key{libusb_get_bus_number(device)};
  for (int i = 0; i < depth; ++i) key.push_back(ports[i]);
  key.push_back(libusb_get_device_address(device));
  return key;
}

// The component's devices in bus order, logging every device of its maker on the way.
std::vector<libusb_device*> Components(libusb_device* const* list, bool log) {
  std::vector<libusb_device*> found;
  for (; *list != nullptr; ++list) {
    libusb_device_descriptor descriptor;
    if (libusb_get_device_descriptor(*list, &descriptor) != LIBUSB_SUCCESS) continue;
    if (descriptor.idVendor != kZr4VendorId) continue;
    if (log) {
      LogText("LIBUSB DEVICE: " + NodePath(*list) + "  " +
              IdText(descriptor.idVendor, descriptor.idProduct));
    }
    if (descriptor.idProduct == kZr4ProductId) found.push_back(*list);
  }
  std::sort(found.begin(), found.end(),
            [](libusb_device* a, libusb_device* b) { return BusOrderKey(a) < BusOrderKey(b); });
  return found;
}

}  // namespace

LibusbDeviceFinder::LibusbDeviceFinder(LibusbContext& usb, unsigned timeoutMs)
    : usb_(usb), timeoutMs_(timeoutMs) {}

LibusbDeviceFinder::~LibusbDeviceFinder() {
  Forget();
}

std::optional<FoundDevice> LibusbDeviceFinder::FindDevice() {
  Forget();
  deniedPath_.clear();
  if (usb_.get() == nullptr) return std::nullopt;

  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(usb_.get(), &list);
  if (count < 0) {
    LogText("LIBUSB DEVICE LIST: " + ErrorText(count));
    return std::nullopt;
  }
  for (libusb_device* candidate : Components(list, true)) {
    device_ = libusb_ref_device(candidate);
    path_ = NodePath(candidate);
    if (OpenHandle()) break;
    // A component that cannot be opened is no use; the next one in bus order may be.
    Forget();
  }
  libusb_free_device_list(list, 1);
  if (device_ == nullptr) return std::nullopt;

  // A component that opens after an earlier refusal clears the refusal.
  deniedPath_.clear();
  LogText("CONTROL: LIBUSB");
  LogText(path_);
  return FoundDevice{path_, [this](bool in, std::uint8_t* buffer) { return Request(in, buffer); }};
}

bool LibusbDeviceFinder::TakeAccessDeniedNotice() {
  if (!AccessDenied() || accessNoticeGiven_) return false;
  accessNoticeGiven_ = true;
  return true;
}

bool LibusbDeviceFinder::ComponentPresent() const {
  if (usb_.get() == nullptr) return false;
  libusb_device** list = nullptr;
  if (libusb_get_device_list(usb_.get(), &list) < 0) return false;
  const bool present = !Components(list, false).empty();
  libusb_free_device_list(list, 1);
  return present;
}

bool LibusbDeviceFinder::Request(bool in, std::uint8_t* buffer) {
  const std::string name = in ? "LIBUSB IN" : "LIBUSB OUT";
  if (device_ == nullptr) {
    LogText(name + "  STATUS: False");
    LogText(name + ": " + ErrorText(LIBUSB_ERROR_NO_DEVICE));
    return false;
  }
  if (handle_ == nullptr && !OpenHandle()) return false;

  Frame data{};
  if (!in) std::memcpy(data.data(), buffer, kFrameSize);
  const int rc = libusb_control_transfer(handle_, RequestType(in), kVendorRequest,
                                         kVendorRequestValue, kVendorRequestIndex, data.data(),
                                         static_cast<std::uint16_t>(kFrameSize), timeoutMs_);
  // Anything short of the whole block is a failure: half a status report decodes to nonsense.
  const bool ok = rc == static_cast<int>(kFrameSize);
  LogText(name + "  STATUS: " + (ok ? "True" : "False"));
  if (rc >= 0 && !ok) {
    LogText(name + ": SHORT TRANSFER " + std::to_string(rc) + " OF " + std::to_string(kFrameSize) +
            " BYTES");
  } else {
    LogText(name + ": " + ErrorText(rc < 0 ? rc : 0));
  }
  LogText(HexDump(data));
  if (in && ok) std::memcpy(buffer, data.data(), kFrameSize);

  if (rc == LIBUSB_ERROR_NO_DEVICE) {
    Forget();  // unplugged: the hot-plug path finds it again at its new address
  } else if (!ok) {
    CloseHandle();  // the next request starts from a fresh open
  }
  return ok;
}

bool LibusbDeviceFinder::OpenHandle() {
  const int rc = libusb_open(device_, &handle_);
  if (rc == LIBUSB_SUCCESS) {
    LogText("LIBUSB OPEN: " + path_);
    return true;
  }
  handle_ = nullptr;
  LogText("LIBUSB OPEN: " + path_ + "  " + ErrorText(rc));
  if (rc == LIBUSB_ERROR_ACCESS) deniedPath_ = path_;
  if (rc == LIBUSB_ERROR_NO_DEVICE) Forget();
  return false;
}

void LibusbDeviceFinder::CloseHandle() {
  if (handle_ == nullptr) return;
  libusb_close(handle_);
  handle_ = nullptr;
}

void LibusbDeviceFinder::Forget() {
  CloseHandle();
  if (device_ != nullptr) libusb_unref_device(device_);
  device_ = nullptr;
  path_.clear();
}

}  // namespace zr4
