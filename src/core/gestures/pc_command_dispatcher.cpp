#include "core/gestures/pc_command_dispatcher.h"

#include <array>
#include <optional>

#include "core/ports/log.h"

namespace zr4 {

namespace {

constexpr int kMonitorOff = 6;
constexpr int kMonitorOn = 7;
constexpr int kFirstWinamp = 10;
constexpr int kFirstLilith = 30;

// Commands in number order from each player's first number.
constexpr std::array kWinampCommands{
    TPlayerCommand::Run,     TPlayerCommand::Quit,   TPlayerCommand::Play,
    TPlayerCommand::Stop,    TPlayerCommand::Next,   TPlayerCommand::Previous,
    TPlayerCommand::Forward, TPlayerCommand::Rewind, TPlayerCommand::Pause,
    TPlayerCommand::Shuffle, TPlayerCommand::Repeat, TPlayerCommand::ListFirst,
    TPlayerCommand::ListLast};
constexpr std::array kLilithCommands{
    TPlayerCommand::Run,      TPlayerCommand::Quit,    TPlayerCommand::Play,
    TPlayerCommand::Stop,     TPlayerCommand::Pause,   TPlayerCommand::Next,
    TPlayerCommand::Previous, TPlayerCommand::Forward, TPlayerCommand::Rewind};

constexpr std::array kPowerOperations{TPowerOperation::Suspend, TPowerOperation::Hibernate,
                                      TPowerOperation::PowerOff, TPowerOperation::Reboot,
                                      TPowerOperation::LogOff};

template <std::size_t N>
std::optional<TPlayerCommand> PlayerCommandAt(const std::array<TPlayerCommand, N>& commands,
                                              int first, int number) {
  if (number < first || number >= first + static_cast<int>(N)) return std::nullopt;
  return commands[static_cast<std::size_t>(number - first)];
}

}  // namespace

const std::vector<std::string>& FixedPcCommandItems() {
  static const std::vector<std::string> items{
      "01,スタンバイ",       "02,休止状態（ハイバネーション）",
      "03,シャットダウン",   "04,再起動",
      "05,ログオフ",         "06,Monitor Off",
      "07,Monitor On",       "10,Winamp Run",
      "11,Winamp Quit",      "12,Winamp Play",
      "13,Winamp Stop",      "14,Winamp Next",
      "15,Winamp Previous",  "16,Winamp Forward",
      "17,Winamp Rewind",    "18,Winamp Pause",
      "19,Winamp Shuffle",   "20,Winamp Repeat",
      "21,Winamp ListFirst", "22,Winamp ListLast",
      "30,Lilith Run",       "31,Lilith Quit",
      "32,Lilith Play",      "33,Lilith Stop",
      "34,Lilith Pause",     "35,Lilith Next",
      "36,Lilith Previous",  "37,Lilith Forward",
      "38,Lilith Rewind"};
  return items;
}

std::vector<std::string> TPcCommandDispatcher::CommandItems() const {
  std::vector<std::string> items = FixedPcCommandItems();
  for (std::string& name : appSets_.GetCommandNames()) items.push_back(std::move(name));
  return items;
}

void TPcCommandDispatcher::ExecutePcCommand(int number) {
  if (number >= 1 && number <= static_cast<int>(kPowerOperations.size())) {
    if (ports_.power) ports_.power->Run(kPowerOperations[static_cast<std::size_t>(number - 1)]);
    return;
  }
  if (number == kMonitorOff || number == kMonitorOn) {
    if (ports_.monitor) ports_.monitor->SetMonitorPower(number == kMonitorOn);
    return;
  }
  if (auto command = PlayerCommandAt(kWinampCommands, kFirstWinamp, number)) {
    if (ports_.players) ports_.players->Command(TPlayer::Winamp, *command, options_.WinAmpPath);
    return;
  }
  if (auto command = PlayerCommandAt(kLilithCommands, kFirstLilith, number)) {
    if (ports_.players) ports_.players->Command(TPlayer::Lilith, *command, options_.LilithPath);
    return;
  }
  if (ports_.appWindows) {
    appSets_.Execute(number, *ports_.appWindows);
  } else if (appSets_.AppCount() > 0) {
    LogText("ExecutePcCommand: no application windows on this system");
  }
}

}  // namespace zr4
