// The program's one libusb session, shared by the device finder and the hot-plug watcher.
#pragma once

struct libusb_context;

namespace zr4 {

class LibusbContext {
 public:
  // Starts libusb; when that fails (no USB file system, for one) it logs why and get() is null,
  // which every user of the session treats as "no component".
  LibusbContext();
  ~LibusbContext();
  LibusbContext(const LibusbContext&) = delete;
  LibusbContext& operator=(const LibusbContext&) = delete;

  libusb_context* get() const { return context_; }

 private:
  libusb_context* context_ = nullptr;
};

}  // namespace zr4
