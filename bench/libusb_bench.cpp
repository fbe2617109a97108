// Requests per second on the ZR4PC emulated with umockdev: through TZR4Ctrl on the libusb
// back-end, and through a bare libusb loop doing the same control transfer on the same device.
// Target: the link reaches at least 0.9x the bare loop's rate (a request is one transfer plus a
// little bookkeeping). Run under umockdev-wrapper:
//   umockdev-wrapper build/test/bench/zr4_libusb_bench
#include <benchmark/benchmark.h>
#include <libusb.h>

#include <cstdio>

#include "core/device/zr4ctrl.h"
#include "fakes/fake_clock.h"
#include "platform/device/emulated_usb_bus.h"
#include "platform/device/libusb_finder_linux.h"

namespace {

using namespace zr4;

void BM_ReadStatusThroughLink(benchmark::State& state) {
  test::EmulatedUsbBus bus;
  bus.Plug(2, 1);
  LibusbContext usb;
  LibusbDeviceFinder finder(usb);
  test::FakeClock clock;
  TZR4Ctrl link(clock, finder);
  for (auto _ : state) {
    if (!link.ReadStatus()) state.SkipWithError("ReadStatus failed");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadStatusThroughLink)->UseRealTime();

void BM_ReadStatusBareLibusb(benchmark::State& state) {
  test::EmulatedUsbBus bus;
  bus.Plug(2, 1);
  LibusbContext usb;
  libusb_device_handle* handle =
      libusb_open_device_with_vid_pid(usb.get(), kZr4VendorId, kZr4ProductId);
  if (handle == nullptr) {
    state.SkipWithError("cannot open the emulated device");
    return;
  }
  Frame report{};
  for (auto _ : state) {
    if (libusb_control_transfer(handle, 0xC1, 0, 0, 0, report.data(), kFrameSize, 1000) !=
        static_cast<int>(kFrameSize))
      state.SkipWithError("transfer failed");
  }
  libusb_close(handle);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadStatusBareLibusb)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (!zr4::test::UnderUmockdev()) {
    std::puts("run under umockdev-wrapper: it provides the emulated USB bus");
    return 77;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
