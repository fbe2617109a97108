#include "core/settings/program_options.h"

#include "core/device/remote_key_names.h"

namespace zr4 {

namespace {
bool IsLongOption(const std::string& arg) {
  return arg.size() > 2 && arg.starts_with("--");
}
}  // namespace

ProgramOptions ParseProgramOptions(const std::vector<std::string>& args) {
  ProgramOptions options;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      ++i;
      break;
    }
    if (!IsLongOption(arg)) break;
    if (arg == "--simulate") {
      options.simulate = true;
    } else if (arg == "--status") {
      options.status = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--debug") {
      options.debug = true;
    } else if (arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--print-udev-rules") {
      options.printUdevRules = true;
    } else if (arg == "--no-mpris") {
      options.mediaControls = false;
    } else if (arg == "--at-login") {
      options.atLogin = true;
    } else if (arg == "--sim-remote" || arg.starts_with("--sim-remote=")) {
      std::string key;
      if (arg == "--sim-remote") {
        if (i + 1 == args.size()) {
          options.error = "--sim-remote needs a key: up, down, mute or power";
          return options;
        }
        key = args[++i];
      } else {
        key = arg.substr(sizeof("--sim-remote=") - 1);
      }
      if (!RemoteKeyByName(key)) {
        options.error = "--sim-remote: unknown key \"" + key + "\" (up, down, mute or power)";
        return options;
      }
      options.simRemoteKey = key;
    } else if (arg == "--check-skin") {
      if (i + 1 == args.size() || args[i + 1].empty()) {
        options.error = "--check-skin needs a skin file or folder";
        return options;
      }
      options.checkSkin = args[++i];
    } else if (arg == "--screenshot" || arg.starts_with("--screenshot=")) {
      std::string file;
      if (arg == "--screenshot") {
        if (i + 1 == args.size()) {
          options.error = "--screenshot needs a file name";
          return options;
        }
        file = args[++i];
      } else {
        file = arg.substr(sizeof("--screenshot=") - 1);
      }
      if (file.empty()) {
        options.error = "--screenshot needs a file name";
        return options;
      }
      options.screenshotFile = file;
    } else {
      options.error = "unknown option " + arg;
      return options;
    }
  }
  options.params.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());

  if (options.json && !options.status && options.checkSkin.empty()) {
    options.error = "--json works only with --status or --check-skin";
  } else if (!options.checkSkin.empty() && (options.status || !options.params.empty())) {
    options.error = "--check-skin takes no other options but --json";
  } else if (options.status && !options.params.empty()) {
    // A status query runs nothing; a command line beside it would be silently lost.
    options.error = "--status takes no controller options";
  } else if (options.status && !options.screenshotFile.empty()) {
    options.error = "--status and --screenshot cannot be combined";
  } else if (!options.simRemoteKey.empty() &&
             (options.status || !options.screenshotFile.empty() || !options.params.empty())) {
    // It only presses a key on the running instance; anything beside it would be lost.
    options.error = "--sim-remote takes no other options";
  }
  return options;
}

std::string ProgramUsage() {
  return "Usage: zr4pcctrl [OPTION]... [CONTROLLER OPTIONS]\n"
         "Controls a ZR4PC hi-fi component attached by USB.\n"
         "\n"
         "  --simulate         use the simulated component even when a ZR4PC is attached\n"
         "  --status           print what the window shows and the application title, and\n"
         "                     exit; asks the running instance, otherwise reads the\n"
         "                     component once\n"
         "  --json             with --status or --check-skin: print it as a JSON object\n"
         "  --check-skin PATH  load a skin (zip archive, INI file, or a folder's skin.ini)\n"
         "                     without a window and print what it holds; exit 1 when it\n"
         "                     cannot be used\n"
         "  --screenshot FILE  save a PNG of the window after the first status is shown,\n"
         "                     print the status line and exit\n"
         "  --sim-remote KEY   press KEY (up, down, mute or power) on the remote of the\n"
         "                     running instance's simulated component, to try remote\n"
         "                     gestures without a ZR4PC, and exit\n"
         "  --debug            diagnostics to standard error (also ZR4PC_DEBUG=1)\n"
         "  --help             show this text and exit\n"
         "  --version          show the version and exit\n"
         "  --print-udev-rules print the udev rule that lets the logged-in user open the\n"
         "                     ZR4PC, and exit\n"
         "  --no-mpris         do not show the component in the desktop's media controls\n"
         "                     (Linux)\n"
         "  --at-login         the start at login: notices that would wait for a click\n"
         "                     (no ZR4PC, no permission) become desktop notifications,\n"
         "                     and with an instance running nothing is shown\n"
         "\n"
         "On a Wayland desktop the window runs through XWayland (it shapes and places\n"
         "itself); ZR4PC_WAYLAND=1 runs it as a Wayland client instead.\n"
         "\n"
         "Controller options (-ON, -OFF, -VOL 20, -PCALL 5, -INPUT 1, -TRACK 3, ...) follow\n"
         "the options above; a second start hands them to the running instance and ends.\n";
}

}  // namespace zr4
