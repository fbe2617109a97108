#include "core/commands/param_executor.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <exception>
#include <limits>

#include "core/base/comma_text.h"
#include "core/base/ini_file.h"
#include "core/commands/commands.h"
#include "core/device/zr4ctrl.h"
#include "core/panel/window_view.h"
#include "core/ports/log.h"
#include "core/settings/option_data.h"
#include "core/timers/power_save.h"

namespace zr4 {

namespace {

constexpr int kPowerOnWaitMs = 1000;

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The value an option reads, or its default when the token is not a number.
int ValueOr(const std::string& token, int fallback) {
  int value = 0;
  return ParseInteger(token, value) ? value : fallback;
}

// Volume plus a change that may be any 32-bit number: kept in range instead of overflowing.
int OffsetVolume(int volume, std::int64_t change) {
  const std::int64_t sum = volume + change;
  return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// The number of tone-key presses that take the tone mode from `mode` (1 TONE, 2 N.B.1,
// 3 N.B.2) to `target` (0 TONE, 1 N.B.1, 2 N.B.2): the component steps through them in a circle.
int TonePresses(int mode, int target) {
  if (mode < 1 || mode > 3 || target < 0 || target > 2) return 0;
  return (target + 1 - mode + 3) % 3;
}

}  // namespace

void TParamExecutor::ExecuteParams(const std::string& text) {
  LogText("ExecuteParams: " + text);
  // The tokens are this call's own: a line run inside one of the waits below cannot disturb them.
  const std::vector<std::string> tokens = DecodeCommaText(text);
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const std::string* value = i + 1 < tokens.size() ? &tokens[i + 1] : nullptr;
    try {
      if (RunOption(UpperAscii(tokens[i]), value) == Next::Stop) return;
    } catch (const std::exception& error) {
      // A token that fails ends the line; the program goes on.
      LogText(std::string("ExecuteParams: stopped: ") + error.what());
      return;
    }
  }
}

TParamExecutor::Next TParamExecutor::RunOption(const std::string& option,
                                               const std::string* value) {
  TZR4Ctrl& link = u_.link;
  if (option == "-ON") {
    link.SendCommand(cmdPowerOn);
    // Window messages are processed meanwhile: polls, clock ticks and forwarded lines may run.
    WaitTicks(u_.clock, kPowerOnWaitMs);
  } else if (option == "-OFF") {
    link.SendCommand(cmdPowerOff);
  } else if (option == "-MUTE") {
    link.SendCommand(cmdMute);
  } else if (option == "-EXIT") {
    u_.window.CloseWindow();
  } else if (option == "-PCALL" || option == "-DEVICE") {
    // Without a value these two do nothing and the line goes on.
    if (!value) return Next::Continue;
    if (option == "-PCALL") {
      link.CallPreset(ValueOr(*value, 0));
    } else {
      u_.chooseAudioDevice(ValueOr(*value, -1));
    }
  } else if (option == "-APS") {
    TOptionData& options = u_.options;
    // Without a value, or with minutes the countdown cannot take, the setting is cleared and the
    // countdown already running (if any) is left as it is.
    const int minutes = value ? ValueOr(*value, 0) : 0;
    options.APS = value != nullptr && u_.powerSave.Start(minutes);
    // Every later restart of the countdown (any activity) takes the same minutes, and they are
    // saved with the settings.
    if (options.APS) options.APSMin = minutes;
  } else if (option == "-VOL" || option == "-VOLP" || option == "-VOLM" || option == "-ST" ||
             option == "-NB" || option == "-INPUT" || option == "-TRACK") {
    if (!value) return Next::Stop;
    if (option == "-VOL") {
      link.SetVolume(ValueOr(*value, 5));
    } else if (option == "-VOLP" || option == "-VOLM") {
      const int change = ValueOr(*value, 0);
      link.ReadStatus();
      const std::int64_t signedChange = option == "-VOLP" ? change : -std::int64_t{change};
      link.SetVolume(OffsetVolume(link.Status.Volume, signedChange));
    } else if (option == "-ST") {
      const int n = ValueOr(*value, 0);
      link.ReadStatus();
      // 0 manual (mono), 1 automatic (stereo); the key toggles between them.
      if ((n == 0 && link.Status.TuneMode == 1) || (n == 1 && link.Status.TuneMode == 2))
        link.SendCommand(cmdAutoManual);
    } else if (option == "-NB") {
      const int n = ValueOr(*value, 0);
      link.ReadStatus();
      for (int press = TonePresses(link.Status.ToneMode, n); press > 0; --press)
        link.SendCommand(cmdTone);
    } else if (option == "-INPUT") {
      TCommands& commands = u_.commands;
      switch (ValueOr(*value, 5)) {
        case 0:
          commands.actSelectTUNERExecute();
          break;
        case 1:
          commands.actSelectCDExecute();
          break;
        case 2:
          commands.actSelectMDExecute();
          break;
        case 3:
          commands.actSelectAUXExecute();
          break;
        case 4:
          commands.actSelectUSBExecute();
          break;
        default:
          break;
      }
    } else {
      link.PlayTrack(ValueOr(*value, 0));
    }
  }
  return Next::Continue;
}

}  // namespace zr4
