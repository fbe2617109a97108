// One poll's work without the transfer: decoding a report and the display model. Target: at most
// 20 us per poll on the reference machine (2 cores).
#include <benchmark/benchmark.h>

#include <vector>

#include "core/app/controller.h"
#include "core/device/sim_component.h"
#include "core/device/sim_finder.h"
#include "core/panel/window_timers.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_view.h"

namespace {

using namespace zr4;

void BM_BuildFrame(benchmark::State& state) {
  std::uint8_t argument = 0;
  for (auto _ : state) benchmark::DoNotOptimize(BuildFrame(cmdSetVolume, ++argument));
}
BENCHMARK(BM_BuildFrame);

void BM_DecodeStatus(benchmark::State& state) {
  test::FakeClock clock;
  TSimComponent sim(clock);
  sim.Request(false, BuildFrame(cmdPlayTrack, 3).data());
  const Frame report = sim.BuildReport();
  TDeviceStatus status;
  for (auto _ : state) {
    DecodeStatus(report, status);
    benchmark::DoNotOptimize(status);
  }
}
BENCHMARK(BM_DecodeStatus);

// A CD playing: every poll brings a new play time, so the labels are rewritten each time. The
// reports of ten minutes' play are built beforehand, so that only the poll's own work is timed.
void BM_PollWithoutTransfer(benchmark::State& state) {
  test::FakeClock clock;
  TSimComponent sim(clock);
  SimDeviceFinder finder(sim);
  TZR4Ctrl link(clock, finder);
  test::FakeView view;
  TController controller(clock, link, view);
  controller.FormCreate({});
  link.PlayTrack(8);
  std::vector<Frame> reports;
  for (int second = 0; second < 600; ++second) {
    clock.now += kPollCdMs;
    reports.push_back(sim.BuildReport());
  }
  std::size_t next = 0;
  for (auto _ : state) {
    DecodeStatus(reports[next], link.Status);
    controller.ShowStatus(link.Status);
    next = next + 1 == reports.size() ? 0 : next + 1;
  }
}
BENCHMARK(BM_PollWithoutTransfer);

// The 200 ms poll while remote gestures are on and the component stays as it is: decoding, the
// comparison and gesture detection.
void BM_UnchangedPollWithGestures(benchmark::State& state) {
  test::FakeClock clock;
  TSimComponent sim(clock);
  SimDeviceFinder finder(sim);
  TZR4Ctrl link(clock, finder);
  test::FakeView view;
  TController controller(clock, link, view);
  controller.FormCreate({});
  Parts(controller).Options().RemoConEnable = true;
  Parts(controller).Settings().GestureList = {R"(↑↑↓,"01,スタンバイ",1)",
                                              R"(↓↓,"13,Winamp Stop",1)", ""};
  const Frame report = sim.BuildReport();
  for (auto _ : state) {
    clock.now += 200;
    DecodeStatus(report, link.Status);
    controller.ShowStatus(link.Status);
  }
}
BENCHMARK(BM_UnchangedPollWithGestures);

}  // namespace
