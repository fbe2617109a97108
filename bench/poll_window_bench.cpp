// A poll that changes the display, through the real window with the default skin (offscreen):
// a CD plays, so every poll brings the next second of play time. The timing covers decoding the
// report, the display model, the labels and the repaint that follows. Target: at most 0.2 ms
// of CPU per poll on the reference machine (2 cores); compare the CPU column.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <exception>
#include <vector>

#include "core/app/controller.h"
#include "core/device/sim_component.h"
#include "core/device/sim_finder.h"
#include "core/skin/skin.h"
#include "core/skin/skin_layout.h"
#include "fakes/fake_clock.h"
#include "platform/app/file_store_system.h"
#include "platform/app/folder_list_system.h"
#include "platform/app/text_codec_system.h"
#include "shell/app/main_window.h"

namespace {

using namespace zr4;

void BM_PollChangingTheWindow(benchmark::State& state) {
  test::FakeClock clock;
  TSimComponent sim(clock);
  SimDeviceFinder finder(sim);
  TZR4Ctrl link(clock, finder);
  MainWindow window(false);
  TController controller(clock, link, window);
  window.SetController(&controller);
  controller.FormCreate({});

  SystemFileStore files;
  SystemTextCodec codec;
  SystemFolderList folders;
  TSkin skin({files, codec, folders}, TSkinLook{});
  try {
    skin.LoadSkin(ZR4_DEFAULT_SKIN);
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return;
  }
  window.SkinChanged(skin.Look(), ApplySkinLayout(skin.Look()));
  window.show();

  link.PlayTrack(8);
  std::vector<Frame> reports;
  for (int second = 0; second < 600; ++second) {
    clock.now += kPollCdMs;
    reports.push_back(sim.BuildReport());
  }
  QApplication::processEvents();
  std::size_t next = 0;
  for (auto _ : state) {
    DecodeStatus(reports[next], link.Status);
    controller.ShowStatus(link.Status);
    QApplication::processEvents();  // the repaint
    next = next + 1 == reports.size() ? 0 : next + 1;
  }
}
BENCHMARK(BM_PollChangingTheWindow);

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
