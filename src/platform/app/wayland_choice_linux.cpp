#include "platform/app/wayland_choice.h"

#include <cstdlib>
#include <cstring>

namespace zr4 {

void PreferXWayland() {
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  const char* optOut = std::getenv("ZR4PC_WAYLAND");
  if (optOut != nullptr && std::strcmp(optOut, "1") == 0) return;
  if (set("QT_QPA_PLATFORM") || !set("WAYLAND_DISPLAY") || !set("DISPLAY")) return;
  setenv("QT_QPA_PLATFORM", "xcb", 1);
}

}  // namespace zr4
