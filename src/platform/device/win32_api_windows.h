// The Win32 calls of the device back-ends as the system provides them.
#pragma once

#include "platform/device/win32_api.h"

namespace zr4 {

// The process-wide system implementation.
Win32Api& SystemWin32Api();

}  // namespace zr4
