// What the user is told after looking for the component: nothing when it answered or the
// simulated component was asked for; that there is none; or that one is there but this user
// may not open it. Decided here for start-up, for the component arriving later and for
// `--status` alike; the shell only shows the text.
#pragma once

#include <string>
#include <string_view>

namespace zr4 {

constexpr const char* kNoDeviceMessage = "該当するUSBデバイスが見つかりません。";

struct TDiscoveryOutcome {
  // The ZR4PC was asked for and did not answer (the simulated component may stand in).
  bool componentMissing = false;
  // A ZR4PC is on the bus but this user may not open it: its device path. Reported once per run
  // by the platform, so the notice is not repeated at every rescan.
  std::string deniedPath{};
};

// The message box text; empty when there is nothing to say. `program` is the running
// executable, for the command that prints the udev rule.
std::string DiscoveryNotice(const TDiscoveryOutcome& outcome, std::string_view program);

}  // namespace zr4
