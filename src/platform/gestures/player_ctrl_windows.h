// The two media players on Windows: each is found by the class of its main window, started
// from its configured program, and driven by the menu command identifiers it understands.
#pragma once

#include <cstdint>
#include <string>

#include "core/ports/media_players.h"
#include "platform/gestures/pc_api_windows.h"

namespace zr4 {

// What every result of a player operation reads when the player did not answer.
constexpr std::intptr_t kPlayerNoAnswer = 999;

class TPlayerCtrl {
 public:
  explicit TPlayerCtrl(Win32PcApi& api) : api_(api) {}

  // Brings the player's window to the front, or starts the program when there is none.
  std::intptr_t Launch(const std::string& windowClass, const std::string& program);
  // Sends WM_COMMAND with the identifier and waits for the player's answer; 999 without a
  // window.
  std::intptr_t SendMenuCommand(const std::string& windowClass, std::uint32_t identifier);

  std::string ExePath;

 protected:
  Win32PcApi& api_;
};

class TWAmpCtrl : public TPlayerCtrl {
 public:
  using TPlayerCtrl::TPlayerCtrl;
  // Every command the player knows; the others do nothing.
  std::intptr_t Command(TPlayerCommand command);
};

class TLilithCtrl : public TPlayerCtrl {
 public:
  using TPlayerCtrl::TPlayerCtrl;
  std::intptr_t Command(TPlayerCommand command);
};

// The MediaPlayers port: one controller of each player per command, as the settings name them.
class WindowsMediaPlayers : public MediaPlayers {
 public:
  explicit WindowsMediaPlayers(Win32PcApi& api) : api_(api) {}
  void Command(TPlayer player, TPlayerCommand command, const std::string& program) override;

 private:
  Win32PcApi& api_;
};

}  // namespace zr4
