// Application command sets from "DoraZozArar.ini": each section describes one application (its
// window class, its program and up to eight window messages) and owns a block of ten command
// numbers from 50 on, in the order of the sections.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/ini_file.h"
#include "core/ports/app_windows.h"

namespace zr4 {

constexpr const char* kAppCommandFileName = "DoraZozArar.ini";
constexpr const char* kAppCommandErrorCaption = "INI読込エラー";
constexpr const char* kAppCommandReadFailed = "DoraZozArar.iniの読込に失敗しました。";
constexpr int kFirstAppCommand = 50;
constexpr int kAppCommandBlock = 10;
// Window class, program, then at most eight message commands.
constexpr int kMaxAppKeys = 10;

// One message command of a set.
struct TCmdItem {
  std::uint32_t Msg = 0;
  std::int32_t WParam = 0;
  std::int32_t LParam = 0;
  std::string Caption;  // "52,MyPlayer Play"

  bool operator==(const TCmdItem&) const = default;
};

class TAppCtrl {
 public:
  explicit TAppCtrl(int baseNo) : BaseNo(baseNo) {}

  // Takes the set from a section's key names and their values. Returns false, leaving the set
  // empty, when the counts differ (the section had more keys than a set may hold). A section
  // that cannot be read whole keeps what was read before the fault and adds the section's name
  // to `faults`.
  bool Setup(const std::string& section, const std::vector<std::string>& keys,
             const std::vector<std::string>& values, std::vector<std::string>& faults);

  // "B,Name Run", "B+1,Name Quit", then one label per message command; none for an empty set.
  std::vector<std::string> GetCommandNames() const;

  // k 0 brings the application to the front or starts it, 1 closes it, 2..9 post message
  // command k - 2 to its window.
  void Execute(int k, AppWindows& windows) const;

  int BaseNo;
  std::string Name;
  std::string WndClass;
  std::string ExePath;
  std::string Params;
  std::vector<TCmdItem> Cmds;
};

class TAppCtrlList {
 public:
  // Reads every section of the file as one set. Returns the names of the sections that could
  // not be read whole, in file order.
  std::vector<std::string> Load(const TIniFile& ini);

  std::vector<std::string> GetCommandNames() const;
  // Runs command `number` of the set whose block holds it; other numbers do nothing.
  void Execute(int number, AppWindows& windows) const;

  int AppCount() const { return static_cast<int>(Apps.size()); }

  std::vector<TAppCtrl> Apps;
};

// "SECTION: [name] ": the text of the message box about a section that could not be read.
std::string AppSectionFaultText(const std::string& section);
// The one message about all such sections: the first ten, a line each, then how many more
// ("…ほか 5 件"), so that a file of thousands of them is told in a box of a few lines.
std::string AppSectionFaultsText(const std::vector<std::string>& sections);

// A message parameter as the file writes it: decimal with an optional sign, or hexadecimal after
// "$" or "0x"; hexadecimal values fill all 32 bits. Blanks may come before it, not after. False
// for anything else.
bool ParseMessageNumber(std::string_view text, std::int32_t& value);

}  // namespace zr4
