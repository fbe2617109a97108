// The program's own switches, GNU-style long options that come before the controller's command
// line. They are never forwarded to a running instance and never mixed with the controller's
// options (-ON, -VOL 20, ...), which follow them unchanged.
#pragma once

#include <string>
#include <vector>

namespace zr4 {

struct ProgramOptions {
  bool simulate = false;        // --simulate: run on the simulated component
  bool status = false;          // --status: print what the window shows and exit
  bool json = false;            // --json: with --status or --check-skin, as a JSON object
  std::string checkSkin;        // --check-skin PATH: load a skin without a window and report it
  std::string screenshotFile;   // --screenshot FILE: save a picture after the first status
  bool debug = false;           // --debug: diagnostics to standard error
  bool help = false;            // --help
  bool version = false;         // --version
  bool printUdevRules = false;  // --print-udev-rules: the rule that lets the user open the ZR4PC
  bool mediaControls = true;    // --no-mpris clears it: not in the desktop's media controls
  // --at-login: started with the session, with no one yet at the screen. Notices that would
  // wait for a click become desktop notifications, and a later start asks the running
  // instance for nothing visible.
  bool atLogin = false;
  // --sim-remote KEY: press that key ("up", "down", "mute", "power") of the running instance's
  // simulated component's remote, then end.
  std::string simRemoteKey;
  // The controller's own command line: everything from the first argument that is not one of
  // the switches above (or everything after "--").
  std::vector<std::string> params;
  // Set when the command line cannot be used; the program prints it with the usage and ends.
  std::string error;
};

// `args` are the command-line arguments without the program name.
ProgramOptions ParseProgramOptions(const std::vector<std::string>& args);

// The usage text printed by --help and after an error.
std::string ProgramUsage();

}  // namespace zr4
