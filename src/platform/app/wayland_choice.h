// On a Wayland desktop the window runs through XWayland: a shaped window that places and moves
// itself needs X11, which Wayland does not offer clients. ZR4PC_WAYLAND=1 opts out; a platform
// chosen with QT_QPA_PLATFORM is left alone.
#pragma once

namespace zr4 {

// Call before the application object is made.
void PreferXWayland();

}  // namespace zr4
