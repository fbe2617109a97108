#include "core/device/usb_access.h"

#include <algorithm>
#include <cstdio>

namespace zr4 {

std::string UdevRulesText() {
  char rule[160];
  std::snprintf(rule, sizeof rule,
                "SUBSYSTEM==\"usb\", ENV{DEVTYPE}==\"usb_device\", ATTR{idVendor}==\"%04x\", "
                "ATTR{idProduct}==\"%04x\", TAG+=\"uaccess\"\n",
                static_cast<unsigned>(kZr4VendorId), static_cast<unsigned>(kZr4ProductId));
  return std::string(
             "# ZR4PC hi-fi component: lets the user logged in at the seat send it control "
             "requests.\n"
             "# The kernel's sound driver keeps the component's audio interfaces.\n") +
         rule;
}

std::string ShellQuote(std::string_view text) {
  const auto safe = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
           c == '.' || c == '_' || c == '-' || c == '+' || c == ':' || c == '=' || c == ',' ||
           c == '@' || c == '%';
  };
  if (!text.empty() && std::all_of(text.begin(), text.end(), safe)) return std::string(text);
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string UsbAccessDeniedMessage(std::string_view devicePath, std::string_view program) {
  std::string message = "ZR4PC が見つかりましたが、USB デバイス ";
  message += devicePath;
  message += " を開く権限がありません。\n\n";
  message += "udev ルール ";
  message += kUdevRuleFile;
  message +=
      " を入れると、ログインしているユーザーが ZR4PC を操作できるようになります。"
      "端末で次のコマンドを実行してください。\n\n";
  message += ShellQuote(program);
  message += " --print-udev-rules | sudo tee ";
  message += kUdevRuleFile;
  message += "\nsudo udevadm control --reload\nsudo udevadm trigger\n\n";
  message +=
      "数秒で操作できるようになります。そうならないときは ZR4PC の USB "
      "ケーブルを挿し直してください。";
  return message;
}

}  // namespace zr4
