#include "core/app/task_tray.h"

#include "core/app/controller.h"
#include "core/ui/tray_tip.h"

namespace zr4 {

namespace {
// The entries a click kind can run, after "なし", in their order.
struct TrayEntry {
  const char* caption;
  const char* action;
};
constexpr TrayEntry kTrayEntries[] = {
    {"ポップアップメニュー", "actPopupMenu"},   {"最小化/復帰", "actMinimizeRestore"},
    {"フォアグラウンドへ", "actSetForeground"}, {"電源 On/Off", "actPower"},
    {"インプット切換", "actModeChange"},        {"ボリュームアップ", "actVolumeUpB"},
    {"ボリュームダウン", "actVolumeDownB"},     {"ミュート", "actMute"},
};
}  // namespace

namespace {
constexpr int kDefaultDoubleClickMs = 500;
}  // namespace

TTaskTray::TTaskTray(TController& controller)
    : c_(controller),
      actions_([this](const TAction& action) { c_.Actions().Execute(action.Name); }),
      clicks_(controller.GetClock(), actions_, kDefaultDoubleClickMs) {}

void TTaskTray::RegisterTrayActions() {
  for (const TrayEntry& entry : kTrayEntries)
    actions_.AddAction(entry.caption, c_.Actions().Find(entry.action));
}

void TTaskTray::LoadClickNames() {
  const TTrayClickNames& names = c_.Settings().TrayClickNames;
  for (int kind = 0; kind < kTrayClickKinds; ++kind)
    actions_.AssignKind(kind, actions_.IndexOfActionName(names[static_cast<std::size_t>(kind)]));
  // A name that binds nothing is saved back empty.
  StoreClickNames();
}

void TTaskTray::StoreClickNames() {
  TTrayClickNames& names = c_.Settings().TrayClickNames;
  for (int kind = 0; kind < kTrayClickKinds; ++kind)
    names[static_cast<std::size_t>(kind)] = actions_.AssignedName(kind);
}

std::string TTaskTray::Tip() const {
  return TrayTipText(c_.Labels(), countdownTitle_);
}

void TTaskTray::AddTrayIcon() {
  shown_ = true;
  c_.Display().SetTrayTipLatch(true);
  c_.View().TrayIconChanged(true, Tip());
}

void TTaskTray::RemoveTrayIcon() {
  shown_ = false;
  c_.View().TrayIconChanged(false, {});
}

void TTaskTray::UpdateTrayTip() {
  if (shown_) c_.View().TrayIconChanged(true, Tip());
}

// The desktop tells nothing when the pointer rests on the icon, so the tip is rebuilt at the
// first change instead of at the next hover.
void TTaskTray::StatusChanged() {
  if (!shown_ || c_.Display().TrayTipLatch()) return;
  c_.Display().SetTrayTipLatch(true);
  UpdateTrayTip();
}

void TTaskTray::TitleChanged(const std::string& title) {
  countdownTitle_ = title == kAppTitle ? std::string() : title;
  UpdateTrayTip();
}

void TTaskTray::UpdateTrayIcon() {
  UpdateTrayTip();
}

void TTaskTray::ShowAtStart() {
  if (c_.Options().MinimizeOnRun) {
    c_.View().Minimize();
    ApplicationMinimize();
    return;
  }
  if (c_.Options().ShowIcon) AddTrayIcon();
  c_.View().ShowWindow();
}

void TTaskTray::SetMenuForTray(bool minimized) {
  TPopupMenuModel& menu = c_.PopupMenu1();
  if (TMenuItem* onTop = menu.FindByName("alwaysonTop1")) onTop->Visible = !minimized;
  if (TMenuItem* tray = menu.FindByName("TaskTray1")) tray->Checked = minimized;
}

// Without a notification area the window stays minimised where the desktop keeps it: hidden,
// nothing could bring it back.
void TTaskTray::ApplicationMinimize() {
  if (minimized_) return;
  minimized_ = true;
  ControllerView& view = c_.View();
  if (view.TrayAvailable()) {
    if (!shown_) AddTrayIcon();
    view.HideWindow();
  }
  SetMenuForTray(true);
  c_.Refresh();
}

void TTaskTray::ApplicationRestore() {
  if (!minimized_) return;
  minimized_ = false;
  if (!c_.Options().ShowIcon && shown_) RemoveTrayIcon();
  SetMenuForTray(false);
  c_.View().RestoreWindow();
  c_.Refresh();
}

void TTaskTray::OptionsApplied() {
  if (!c_.View().WindowVisible()) return;
  const bool showIcon = c_.Options().ShowIcon && c_.View().TrayAvailable();
  if (showIcon && !shown_) AddTrayIcon();
  if (!c_.Options().ShowIcon && shown_) RemoveTrayIcon();
}

void TTaskTray::TaskbarCreated() {
  if (!shown_) return;
  RemoveTrayIcon();
  AddTrayIcon();
}

void TTaskTray::FormClose() {
  if (shown_) RemoveTrayIcon();
}

void TTaskTray::actPopupMenuExecute() {
  c_.View().SetForeground();
  c_.View().PopupMenuAtCursor();
}

void TTaskTray::actMinimizeRestoreExecute() {
  if (c_.View().WindowVisible()) {
    c_.View().Minimize();
    ApplicationMinimize();
  } else {
    ApplicationRestore();
  }
}

void TTaskTray::actSetForegroundExecute() {
  c_.View().SetForeground();
}

void TTaskTray::TaskTray1Click() {
  const TMenuItem* tray = c_.PopupMenu1().FindByName("TaskTray1");
  if (tray && tray->Checked) {
    ApplicationRestore();
  } else {
    c_.View().Minimize();
    ApplicationMinimize();
  }
}

}  // namespace zr4
