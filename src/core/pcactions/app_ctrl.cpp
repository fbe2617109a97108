#include "core/pcactions/app_ctrl.h"

#include <cstdint>

#include "core/base/blanks.h"
#include "core/base/comma_text.h"
#include "core/base/integer_text.h"
#include "core/ports/log.h"

namespace zr4 {

namespace {

// A fault that ends the reading of one section.
struct SectionFault {};

// An item that is not a number counts as 0, as the file's authors may rely on.
std::int32_t ReadItem(const std::string& item) {
  std::int32_t value = 0;
  return ParseMessageNumber(item, value) ? value : 0;
}

}  // namespace

bool ParseMessageNumber(std::string_view text, std::int32_t& value) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  const auto parsed = ParseIntegerText(text);
  if (!parsed) return false;
  value = parsed->value;
  return true;
}

std::string AppSectionFaultText(const std::string& section) {
  return "SECTION: [" + section + "] ";
}

std::string AppSectionFaultsText(const std::vector<std::string>& sections) {
  constexpr std::size_t kNamed = 10;
  std::string text;
  for (std::size_t i = 0; i < sections.size() && i < kNamed; ++i) {
    if (i > 0) text += '\n';
    text += AppSectionFaultText(sections[i]);
  }
  if (sections.size() > kNamed) {
    text += "\n…ほか ";
    text += std::to_string(sections.size() - kNamed);
    text += " 件";
  }
  return text;
}

bool TAppCtrl::Setup(const std::string& section, const std::vector<std::string>& keys,
                     const std::vector<std::string>& values, std::vector<std::string>& faults) {
  if (keys.size() != values.size()) return false;
  try {
    Name = section;
    if (values.empty()) throw SectionFault{};
    WndClass = values[0];
    if (values.size() < 2) throw SectionFault{};
    const std::string& program = values[1];
    const std::size_t comma = program.find(',');
    ExePath = program.substr(0, comma);
    Params = comma == std::string::npos ? std::string() : program.substr(comma + 1);
    for (std::size_t k = 2; k < values.size(); ++k) {
      const std::vector<std::string> items = DecodeCommaText(values[k]);
      // Message, wParam and lParam; further items are ignored.
      if (items.size() < 3) throw SectionFault{};
      TCmdItem item;
      item.Msg = static_cast<std::uint32_t>(ReadItem(items[0]));
      item.WParam = ReadItem(items[1]);
      item.LParam = ReadItem(items[2]);
      item.Caption = std::to_string(BaseNo + static_cast<int>(k)) + "," + Name + " " + keys[k];
      Cmds.push_back(item);
    }
  } catch (const SectionFault&) {
    faults.push_back(section);
  }
  return true;
}

std::vector<std::string> TAppCtrl::GetCommandNames() const {
  // A rejected set has no name, no window and no program: nothing to offer.
  if (Name.empty()) return {};
  std::vector<std::string> names{std::to_string(BaseNo) + "," + Name + " Run",
                                 std::to_string(BaseNo + 1) + "," + Name + " Quit"};
  for (const TCmdItem& cmd : Cmds) names.push_back(cmd.Caption);
  return names;
}

void TAppCtrl::Execute(int k, AppWindows& windows) const {
  if (k >= 2 && static_cast<std::size_t>(k - 2) >= Cmds.size()) {
    LogText("AppCtrl: command " + std::to_string(BaseNo + k) + " is not defined for [" + Name +
            "]");
    return;
  }
  const TAppWindow window = WndClass.empty() ? 0 : windows.FindAppWindow(WndClass);
  if (k == 0) {
    if (window != 0) {
      windows.BringToFront(window);
    } else if (!ExePath.empty()) {
      windows.StartProgram(ExePath, Params);
    } else {
      LogText("AppCtrl: set " + std::to_string(BaseNo) + " names no program");
    }
    return;
  }
  if (window == 0) return;
  if (k == 1) {
    windows.CloseAppWindow(window);
  } else {
    const TCmdItem& cmd = Cmds[static_cast<std::size_t>(k - 2)];
    windows.PostToAppWindow(window, cmd.Msg, cmd.WParam, cmd.LParam);
  }
}

std::vector<std::string> TAppCtrlList::Load(const TIniFile& ini) {
  Apps.clear();
  std::vector<std::string> faults;
  const std::vector<std::string> sections = ini.SectionNames();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    TAppCtrl& app = Apps.emplace_back(kFirstAppCommand + kAppCommandBlock * static_cast<int>(i));
    const std::vector<std::string> keys = ini.KeyNames(sections[i]);
    std::vector<std::string> values;
    for (std::size_t k = 0; k < keys.size() && k < kMaxAppKeys; ++k)
      values.push_back(ini.ReadString(sections[i], keys[k], ""));
    if (!app.Setup(sections[i], keys, values, faults))
      LogText("AppCtrl: [" + sections[i] + "] has more than ten keys and is left out");
  }
  return faults;
}

std::vector<std::string> TAppCtrlList::GetCommandNames() const {
  std::vector<std::string> names;
  for (const TAppCtrl& app : Apps)
    for (std::string& name : app.GetCommandNames()) names.push_back(std::move(name));
  return names;
}

void TAppCtrlList::Execute(int number, AppWindows& windows) const {
  if (Apps.empty() || number < 0) return;
  const int base = number / kAppCommandBlock * kAppCommandBlock;
  for (const TAppCtrl& app : Apps)
    if (app.BaseNo == base) {
      app.Execute(number % kAppCommandBlock, windows);
      return;
    }
}

}  // namespace zr4
