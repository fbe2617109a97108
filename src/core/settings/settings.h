// The settings file: what it holds, how it is read from and written to an INI object, its ports,
// and the fixed message of a failed save. Plain values go through one table of (section, key,
// field), so reading and writing cannot drift apart; the lists keep their own code.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/base/ini_file.h"
#include "core/pcactions/data_list.h"
#include "core/ports/file_store.h"
#include "core/ports/text_codec.h"
#include "core/settings/option_data.h"

namespace zr4 {

// Shown after the settings file's full path when it cannot be written.
constexpr const char* kWriteFailedSuffix = "への書き込みに失敗しました。";

// How the controller reaches its settings file.
struct SettingsStorage {
  FileStore& Files;
  TextCodec& Codec;
  std::string Path;  // the settings file's full path
};

// The action bound to each click of the tray icon, by click kind: right single, right double,
// left single, left double, middle single, middle double. An empty name binds nothing.
using TTrayClickNames = std::array<std::string, 6>;

TTrayClickNames DefaultTrayClickNames();

// A timer value that does not read as a timer: it is not run, and it is written back unchanged
// at its place, so that a typing slip in the file does not delete the entry.
struct TUnreadTimer {
  int Position = 0;  // among all timer values, as numbered in the file
  std::string Text;

  bool operator==(const TUnreadTimer&) const = default;
};

// Everything the settings file holds.
struct TSettings {
  int WindowLeft = 0;
  int WindowTop = 0;
  TOptionData Options;
  bool OnTop = false;       // "Al&ways On Top"
  bool IconChange = false;  // use IconName from the "icons" folder as the application icon
  std::string IconName;
  std::vector<std::string> GestureList;  // gesture entries in their text form
  TDataList TimerList;
  std::vector<TUnreadTimer> UnreadTimers;
  TTrayClickNames TrayClickNames = DefaultTrayClickNames();

  bool operator==(const TSettings&) const = default;
};

// Reads every setting; a missing key gives its default, a missing window position the window's
// current one.
TSettings ReadSettings(const TIniFile& ini, int currentLeft, int currentTop);

// Writes every setting in the file's order. Keys the program does not know stay as they are.
void WriteSettings(const TSettings& settings, TIniFile& ini);

}  // namespace zr4
