// The display model: what the controller window's labels show for a status record.
#pragma once

#include "core/device/zr4defs.h"
#include "core/panel/panel_labels.h"

namespace zr4 {

// The labels for `status`, starting from what they showed before: an input the record does not
// name (0 or out of range) leaves the input-specific labels as they were, and selecting the CD
// hides the frequency unit until the tuner shows a frequency again.
TPanelLabels DisplayLabels(const TDeviceStatus& status, TPanelLabels previous);

}  // namespace zr4
