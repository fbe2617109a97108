#include "platform/app/wayland_choice.h"

namespace zr4 {

// Windows has no Wayland: the system's own windows are shaped and placed as asked.
void PreferXWayland() {}

}  // namespace zr4
