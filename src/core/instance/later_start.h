// What a start does when an instance may already run: asks it for the status, presses a key of
// its simulated remote, or hands it this start's command line and picture request, and tells
// the user what became of each. The platform only carries the requests (InstanceChannel).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/instance/instance_channel.h"
#include "core/instance/instance_protocol.h"
#include "core/settings/program_options.h"

namespace zr4 {

// Where the start's own lines go: its standard output and its standard error.
struct StartConsole {
  std::function<void(std::string_view line)> out;
  std::function<void(std::string_view line)> error;
};

// --status: the running instance's answer. Returns the exit code, or nothing when no instance
// answered and the component is to be read once instead.
std::optional<int> AskStatus(InstanceChannel& channel, bool json, const StartConsole& console);

// --sim-remote KEY: the running instance presses the key. Returns the exit code.
int PressSimRemote(InstanceChannel& channel, const std::string& key, const StartConsole& console);

// What a later start asks of the running instance, in order: its command line (or, without one,
// to come to the front, except at login), then the picture it wants (`absolutePicture`: the
// picture's path made absolute, since the instance runs in another folder).
std::vector<InstanceRequest> LaterStartRequests(const ProgramOptions& options,
                                                const std::string& absolutePicture);

// Another instance runs: hands it `requests`. Returns the exit code, or nothing when the
// instance went away and this start is the instance now: it then runs as the instance, with
// what was not handed over yet left in `options`.
std::optional<int> HandOverLaterStart(ProgramOptions& options,
                                      const std::vector<InstanceRequest>& requests,
                                      InstanceChannel& channel, const StartConsole& console);

}  // namespace zr4
