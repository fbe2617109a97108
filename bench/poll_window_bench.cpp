// A poll that changes the display, through the real window with the default skin (offscreen):
// a CD plays, so every poll brings the next second of play time. The timing covers decoding the
// report, the display model, the labels and the repaint that follows; a second case runs the
// whole tick as the window's timer does. Target: at most 0.2 ms
// of CPU per poll on the reference machine (2 cores); compare the CPU column.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <exception>
#include <string>
#include <vector>

#include "core/app/controller.h"
#include "core/device/sim_component.h"
#include "core/device/sim_finder.h"
#include "core/skin/skin.h"
#include "core/skin/skin_layout.h"
#include "fakes/fake_clock.h"
#include "platform/base/file_store_system.h"
#include "platform/base/folder_list_system.h"
#include "platform/base/program_folder.h"
#include "platform/base/text_codec_system.h"
#include "platform/tray/tray_icon.h"
#include "shell/panel/main_window.h"

namespace {

using namespace zr4;

// The controller on the real window with the default skin, shown, a CD playing.
struct PlayingWindow {
  test::FakeClock clock;
  TSimComponent sim{clock};
  SimDeviceFinder finder{sim};
  TZR4Ctrl link{clock, finder};
  TrayIcon tray;
  MainWindow window{false, tray, FoldersOf(ProgramFolder())};
  TController controller{clock, link, window.Views()};

  // An empty text, or why the window could not be set up.
  std::string SetUp() {
    window.SetController(&controller);
    controller.FormCreate({});
    SystemFileStore files;
    SystemTextCodec codec;
    SystemFolderList folders;
    TSkin skin({files, codec, folders}, TSkinLook{});
    try {
      skin.LoadSkin(ZR4_DEFAULT_SKIN);
    } catch (const std::exception& error) {
      return error.what();
    }
    window.Skin().SkinChanged(skin.Look(), ApplySkinLayout(skin.Look()));
    window.show();
    link.PlayTrack(8);
    controller.Timer2Timer();
    controller.Timer2Timer();  // polled every second from here on
    QApplication::processEvents();
    return {};
  }
};

void BM_PollChangingTheWindow(benchmark::State& state) {
  PlayingWindow w;
  if (const std::string failure = w.SetUp(); !failure.empty()) {
    state.SkipWithError(failure.c_str());
    return;
  }
  std::vector<Frame> reports;
  for (int second = 0; second < 600; ++second) {
    w.clock.now += kPollCdMs;
    reports.push_back(w.sim.BuildReport());
  }
  std::size_t next = 0;
  for (auto _ : state) {
    DecodeStatus(reports[next], w.link.Status);
    w.controller.ShowStatus(w.link.Status);
    QApplication::processEvents();  // the repaint
    next = next + 1 == reports.size() ? 0 : next + 1;
  }
}
BENCHMARK(BM_PollChangingTheWindow);

// The whole tick of Timer2 as the window's timer runs it, a second of play later each time:
// the same work, with the simulated component building its report and the timers' upkeep.
void BM_TickChangingTheWindow(benchmark::State& state) {
  PlayingWindow w;
  if (const std::string failure = w.SetUp(); !failure.empty()) {
    state.SkipWithError(failure.c_str());
    return;
  }
  int played = 0;
  for (auto _ : state) {
    // Ten minutes into the track (605 s long) it starts again, a track change once in 600.
    if (++played == 600) {
      w.link.PlayTrack(8);
      played = 0;
    }
    w.clock.now += kPollCdMs;
    w.controller.Timer2Timer();
    QApplication::processEvents();  // the repaint
  }
}
BENCHMARK(BM_TickChangingTheWindow);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
