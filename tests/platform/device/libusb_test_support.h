// Shared by the libusb tests: a log recorder and a wait for libusb's own hot-plug thread.
#pragma once

#include <libusb.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports/log.h"
#include "platform/device/libusb_context_linux.h"

namespace zr4::test {

// Collects the diagnostic lines for the lifetime of the object.
class LogRecorder {
 public:
  LogRecorder() {
    previous_ = SetLogSink([this](std::string_view line) { lines.emplace_back(line); });
  }
  ~LogRecorder() { SetLogSink(std::move(previous_)); }

  int Count(std::string_view text) const {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
      return l.find(text) != std::string::npos;
    }));
  }
  bool Has(std::string_view line) const {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  std::vector<std::string> lines;

 private:
  LogSink previous_;
};

// libusb learns of devices plugged in or pulled out on a thread of its own. Waits, on libusb's
// event descriptors and at most a few seconds, until `done` holds.
inline bool WaitForLibusb(LibusbContext& usb, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::vector<pollfd> fds;
    const libusb_pollfd** list = libusb_get_pollfds(usb.get());
    for (const libusb_pollfd** entry = list; entry != nullptr && *entry != nullptr; ++entry)
      fds.push_back({(*entry)->fd, (*entry)->events, 0});
    libusb_free_pollfds(list);
    poll(fds.data(), fds.size(), 10);
    timeval zero{};
    libusb_handle_events_timeout_completed(usb.get(), &zero, nullptr);
  }
  return true;
}

}  // namespace zr4::test
