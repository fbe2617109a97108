#include "core/tray/tray_clicks.h"

#include "core/tray/tray_action_mgr.h"

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

bool TTrayHostClicks::ReportsKind(int kind) const {
  if (kind < 0 || kind >= kTrayClickKinds) return false;
  if (kind == 0) return rightClick;
  return kind % 2 == 0 || doubleClick[static_cast<std::size_t>(kind / 2)];
}

bool TTrayClicks::WaitsForDouble(TTrayButton button) const {
  if (!host_.ReportsDouble(button)) return false;
  return button == TTrayButton::Middle || actions_.AssignedAction(DoubleKind(button)) != nullptr;
}

void TTrayClicks::Click(TTrayButton button) {
  if (button == TTrayButton::Right && !host_.rightClick) return;
  const std::size_t b = Index(button);
  if (waiting_[b] > 0) {
    DoubleClick(button);
    return;
  }
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

void TTrayClicks::ButtonDown(TTrayButton button) {
  if (button == TTrayButton::Right) {
    Click(button);
    return;
  }
  // A press where the double click's release was due: that release never came.
  releaseOfDouble_[Index(button)] = false;
}

void TTrayClicks::ButtonUp(TTrayButton button) {
  if (button == TTrayButton::Right) return;
  const std::size_t b = Index(button);
  if (releaseOfDouble_[b]) {
    releaseOfDouble_[b] = false;
    return;
  }
  Click(button);
}

void TTrayClicks::ButtonDoubleClick(TTrayButton button) {
  if (button != TTrayButton::Right) releaseOfDouble_[Index(button)] = true;
  DoubleClick(button);
}

void TTrayClicks::Mouse(TTrayMouse event, TTrayButton button) {
  switch (event) {
    case TTrayMouse::Click:
      return Click(button);
    case TTrayMouse::DoubleClick:
      return DoubleClick(button);
    case TTrayMouse::ButtonDown:
      return ButtonDown(button);
    case TTrayMouse::ButtonUp:
      return ButtonUp(button);
    case TTrayMouse::ButtonDoubleClick:
      return ButtonDoubleClick(button);
  }
}

}  // namespace zr4
