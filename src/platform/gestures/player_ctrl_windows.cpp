#include "platform/gestures/player_ctrl_windows.h"

namespace zr4 {

namespace {

constexpr const char* kWinampClass = "Winamp v1.x";
constexpr const char* kLilithClass = "Lilith";

// WM_COMMAND identifiers; 0 for a command the player does not have.
std::uint32_t WinampIdentifier(TPlayerCommand command) {
  switch (command) {
    case TPlayerCommand::Quit:
      return 40001;
    case TPlayerCommand::Play:
      return 40045;
    case TPlayerCommand::Stop:
      return 40047;
    case TPlayerCommand::Next:
      return 40048;
    case TPlayerCommand::Previous:
      return 40044;
    case TPlayerCommand::Forward:
      return 40148;
    case TPlayerCommand::Rewind:
      return 40144;
    case TPlayerCommand::Pause:
      return 40046;
    case TPlayerCommand::Shuffle:
      return 40023;
    case TPlayerCommand::Repeat:
      return 40022;
    case TPlayerCommand::ListFirst:
      return 40154;
    case TPlayerCommand::ListLast:
      return 40158;
    case TPlayerCommand::Run:
      break;
  }
  return 0;
}

std::uint32_t LilithIdentifier(TPlayerCommand command) {
  switch (command) {
    case TPlayerCommand::Quit:
      return 40016;
    case TPlayerCommand::Play:
      return 40082;
    case TPlayerCommand::Stop:
      return 40003;
    case TPlayerCommand::Pause:
      return 40002;
    case TPlayerCommand::Next:
      return 40028;
    case TPlayerCommand::Previous:
      return 40027;
    case TPlayerCommand::Forward:
      return 40011;
    case TPlayerCommand::Rewind:
      return 40004;
    default:
      break;
  }
  return 0;
}

template <typename Identifier>
std::intptr_t Drive(TPlayerCtrl& player, const char* windowClass, TPlayerCommand command,
                    Identifier identifier) {
  if (command == TPlayerCommand::Run) return player.Launch(windowClass, player.ExePath);
  const std::uint32_t id = identifier(command);
  return id == 0 ? kPlayerNoAnswer : player.SendMenuCommand(windowClass, id);
}

}  // namespace

std::intptr_t TPlayerCtrl::Launch(const std::string& windowClass, const std::string& program) {
  if (const std::uintptr_t window = api_.FindWindowA(windowClass)) {
    api_.SetForegroundWindow(window);
  } else {
    api_.ShellExecuteA("open", program, "", "", kSwShowNormal);
  }
  return kPlayerNoAnswer;
}

std::intptr_t TPlayerCtrl::SendMenuCommand(const std::string& windowClass,
                                           std::uint32_t identifier) {
  const std::uintptr_t window = api_.FindWindowA(windowClass);
  if (window == 0) return kPlayerNoAnswer;
  return api_.SendMessageA(window, kWmCommand, identifier, 0);
}

std::intptr_t TWAmpCtrl::Command(TPlayerCommand command) {
  return Drive(*this, kWinampClass, command, WinampIdentifier);
}

std::intptr_t TLilithCtrl::Command(TPlayerCommand command) {
  return Drive(*this, kLilithClass, command, LilithIdentifier);
}

void WindowsMediaPlayers::Command(TPlayer player, TPlayerCommand command,
                                  const std::string& program) {
  if (player == TPlayer::Winamp) {
    TWAmpCtrl winamp(api_);
    winamp.ExePath = program;
    winamp.Command(command);
  } else {
    TLilithCtrl lilith(api_);
    lilith.ExePath = program;
    lilith.Command(command);
  }
}

}  // namespace zr4
