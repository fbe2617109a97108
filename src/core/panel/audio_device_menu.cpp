#include "core/panel/audio_device_menu.h"

#include <utility>

namespace zr4 {

void TAudioDeviceMenu::Build() {
  TAudioOutputList outputs = outputs_.ReadOutputs();
  names_ = std::move(outputs.Names);
  const std::string& preferred = outputs.Preferred;
  ticked_ = -1;
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == preferred) {
      ticked_ = static_cast<int>(i);
      break;
    }
}

void TAudioDeviceMenu::Click(int index) {
  if (index < 0 || index >= static_cast<int>(names_.size())) return;
  if (index == ticked_ || names_.size() == 1) return;
  ticked_ = index;
  outputs_.SetPreferredOutput(names_[index]);
}

}  // namespace zr4
