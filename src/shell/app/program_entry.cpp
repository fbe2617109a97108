#include "shell/app/program_entry.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/device/sim_finder.h"
#include "core/device/usb_access.h"
#include "core/device/zr4ctrl.h"
#include "core/panel/app_title.h"
#include "core/panel/display_model.h"
#include "core/panel/status_report.h"
#include "platform/device/device_setup.h"
#include "shell/app/qt_clock.h"
#include "shell/app/skin_setup.h"

namespace zr4 {

namespace {
std::optional<int> AnswerWithoutInstance(const ProgramOptions& options) {
  if (!options.error.empty()) {
    std::fprintf(stderr, "zr4pcctrl: %s\n\n%s", options.error.c_str(), ProgramUsage().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(ProgramUsage().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("zr4pcctrl %s\n", ZR4_VERSION);
    return 0;
  }
  if (options.printUdevRules) {
    std::fputs(UdevRulesText().c_str(), stdout);
    return 0;
  }
  if (!options.checkSkin.empty()) return CheckSkin(options.checkSkin, options.json);
  return std::nullopt;
}

bool DiagnosticsWanted(const ProgramOptions& options) {
  const char* debug = std::getenv("ZR4PC_DEBUG");
  return options.debug || (debug != nullptr && std::strcmp(debug, "1") == 0);
}
}  // namespace

std::optional<int> BeginProgram(int argc, char** argv, LogSink diagnostics,
                                ProgramOptions& options) {
  options = ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const std::optional<int> answered = AnswerWithoutInstance(options)) return answered;
  if (DiagnosticsWanted(options)) SetLogSink(std::move(diagnostics));
  SetNoticeSink([](std::string_view line) {
    std::fprintf(stderr, "zr4pcctrl: %.*s\n", static_cast<int>(line.size()), line.data());
  });
  return std::nullopt;
}

StartConsole StandardStreams() {
  auto to = [](std::FILE* stream) {
    return [stream](std::string_view line) {
      std::fprintf(stream, "%.*s\n", static_cast<int>(line.size()), line.data());
    };
  };
  return {to(stdout), to(stderr)};
}

int PrintStatusOnce(int& argc, char** argv, const ProgramOptions& options) {
  QCoreApplication application(argc, argv);
  QtClock clock;
  DeviceSetup device(clock, options.simulate);
  TZR4Ctrl link(clock, device.Finder());
  TDiscoveryOutcome discovery = device.Discovery();
  discovery.componentMissing = discovery.componentMissing || !link.Found;
  if (discovery.componentMissing) {
    std::fprintf(stderr, "%s\n", DiscoveryNotice(discovery, argv[0]).c_str());
    return 1;
  }
  link.ReadStatus();
  const TPanelLabels labels = DisplayLabels(link.Status, TPanelLabels{});
  const std::string line =
      options.json ? FormatStatusJson(labels, link.Status.Volume, kAppTitle, DrivesSimulator(link))
                   : FormatStatusLine(labels, kAppTitle);
  std::printf("%s\n", line.c_str());
  return 0;
}

}  // namespace zr4
