// Which numbered PC command runs what: 1 to 5 the power and session operations, 6 and 7 the
// monitors, 10 to 22 and 30 to 38 the two media players, 50 and up the application command
// sets. Each kind of action goes through its own port; a missing port does nothing.
#pragma once

#include <string>
#include <vector>

#include "core/pcactions/app_ctrl.h"
#include "core/ports/app_windows.h"
#include "core/ports/media_players.h"
#include "core/ports/monitor_power.h"
#include "core/ports/pc_commands.h"
#include "core/ports/power_session.h"
#include "core/settings/option_data.h"

namespace zr4 {

struct TPcActionPorts {
  PowerSession* power = nullptr;
  MonitorPower* monitor = nullptr;
  MediaPlayers* players = nullptr;
  AppWindows* appWindows = nullptr;
};

// The fixed command items, in the order the options dialog lists them ("01,スタンバイ", ...).
const std::vector<std::string>& FixedPcCommandItems();

class TPcCommandDispatcher : public PcCommandRunner {
 public:
  // The players' programs are read from `options` at each command, so changes in the options
  // dialog apply at once.
  TPcCommandDispatcher(TPcActionPorts ports, const TOptionData& options,
                       const TAppCtrlList& appSets)
      : ports_(ports), options_(options), appSets_(appSets) {}

  void ExecutePcCommand(int number) override;

  // The options dialog's command choices: the fixed items, then the application sets' labels.
  std::vector<std::string> CommandItems() const;

 private:
  TPcActionPorts ports_;
  const TOptionData& options_;
  const TAppCtrlList& appSets_;
};

}  // namespace zr4
