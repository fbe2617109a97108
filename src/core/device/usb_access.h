// What the user is told about reaching the ZR4PC's USB device on Linux: the udev rule that lets
// the logged-in user open it, and the message shown when that permission is missing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/device/usb_transfer.h"

namespace zr4 {

// Where the rule belongs; the number orders it before the rules that act on TAG "uaccess".
constexpr const char* kUdevRuleFile = "/etc/udev/rules.d/60-zr4pcctrl.rules";

// The rule file's contents, as printed by --print-udev-rules and shipped in packaging/linux.
std::string UdevRulesText();

// The message box text for a component that was found but could not be opened: names the rule
// file and the exact commands that install it, using `program` (the running executable) for
// the command that prints the rule.
std::string UsbAccessDeniedMessage(std::string_view devicePath, std::string_view program);

// `text` as one word for a POSIX shell: unchanged when it holds only safe characters, else in
// single quotes with embedded single quotes closed, escaped and reopened.
std::string ShellQuote(std::string_view text);

}  // namespace zr4
