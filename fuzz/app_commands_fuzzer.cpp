// Any bytes as "DoraZozArar.ini": loading never fails, every set keeps its block of ten, at most
// eight message commands each, and running any number stays inside the sets' commands.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/base/ini_file.h"
#include "core/pcactions/app_ctrl.h"

namespace {

class NoWindows : public zr4::AppWindows {
 public:
  zr4::TAppWindow FindAppWindow(const std::string&) override { return 1; }
  void BringToFront(zr4::TAppWindow) override {}
  void CloseAppWindow(zr4::TAppWindow) override {}
  void PostToAppWindow(zr4::TAppWindow, std::uint32_t, std::int32_t, std::int32_t) override {}
  void StartProgram(const std::string&, const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  zr4::TAppCtrlList list;
  list.Load(zr4::TIniFile::Parse(text));
  for (int i = 0; i < list.AppCount(); ++i) {
    const zr4::TAppCtrl& app = list.Apps[static_cast<std::size_t>(i)];
    if (app.BaseNo != 50 + 10 * i || app.Cmds.size() > 8) __builtin_trap();
  }
  list.GetCommandNames();
  NoWindows windows;
  for (int number = 48; number < 50 + 10 * list.AppCount() + 2; ++number)
    list.Execute(number, windows);
  return 0;
}
