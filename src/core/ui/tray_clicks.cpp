#include "core/ui/tray_clicks.h"

#include "core/ui/tray_action_mgr.h"

namespace zr4 {

namespace {
std::size_t Index(TTrayButton button) {
  return static_cast<std::size_t>(button);
}
int SingleKind(TTrayButton button) {
  return static_cast<int>(button) * 2;
}
int DoubleKind(TTrayButton button) {
  return static_cast<int>(button) * 2 + 1;
}
}  // namespace

bool TTrayClicks::WaitsForDouble(TTrayButton button) const {
  return button == TTrayButton::Middle || actions_.AssignedAction(DoubleKind(button)) != nullptr;
}

void TTrayClicks::Click(TTrayButton button) {
  const std::size_t b = Index(button);
  if (WaitsForDouble(button)) {
    ++waiting_[b];
    WaitTicks(clock_, doubleClickMs_);
    --waiting_[b];
    if (doubleSeen_[b]) {
      doubleSeen_[b] = false;
      return;
    }
  }
  actions_.ExecuteKind(SingleKind(button));
}

void TTrayClicks::DoubleClick(TTrayButton button) {
  const std::size_t b = Index(button);
  if (waiting_[b] > 0) doubleSeen_[b] = true;
  actions_.ExecuteKind(DoubleKind(button));
}

}  // namespace zr4
