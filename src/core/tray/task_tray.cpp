#include "core/tray/task_tray.h"

#include "core/commands/action_list.h"
#include "core/commands/menu_item.h"
#include "core/commands/menu_view.h"
#include "core/panel/app_title.h"
#include "core/panel/status_display.h"
#include "core/panel/window_view.h"
#include "core/settings/settings.h"
#include "core/tray/tray_tip.h"
#include "core/tray/tray_view.h"

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

TTaskTray::TTaskTray(Uses uses)
    : u_(std::move(uses)),
      actions_([this](const TAction& action) { u_.actions.Execute(action.Name); }),
      clicks_(u_.clock, actions_, kDefaultDoubleClickMs) {}

void TTaskTray::RegisterTrayActions() {
  for (const TrayEntry& entry : kTrayEntries)
    actions_.AddAction(entry.caption, u_.actions.Find(entry.action));
}

void TTaskTray::LoadClickNames() {
  const TTrayClickNames& names = u_.settings.TrayClickNames;
  for (int kind = 0; kind < kTrayClickKinds; ++kind)
    actions_.AssignKind(kind, actions_.IndexOfActionName(names[static_cast<std::size_t>(kind)]));
  // A name that binds nothing is saved back empty.
  StoreClickNames();
}

void TTaskTray::StoreClickNames() {
  TTrayClickNames& names = u_.settings.TrayClickNames;
  for (int kind = 0; kind < kTrayClickKinds; ++kind)
    names[static_cast<std::size_t>(kind)] = actions_.AssignedName(kind);
}

std::string TTaskTray::Tip() const {
  return TrayTipText(u_.display.Labels(), countdownTitle_);
}

void TTaskTray::AddTrayIcon() {
  shown_ = true;
  u_.display.SetTrayTipLatch(true);
  u_.trayView.TrayIconChanged(true, Tip());
}

void TTaskTray::RemoveTrayIcon() {
  shown_ = false;
  u_.trayView.TrayIconChanged(false, {});
}

void TTaskTray::UpdateTrayTip() {
  if (shown_) u_.trayView.TrayIconChanged(true, Tip());
}

// The desktop tells nothing when the pointer rests on the icon, so the tip is rebuilt at the
// first change instead of at the next hover.
void TTaskTray::StatusChanged() {
  if (!shown_ || u_.display.TrayTipLatch()) return;
  u_.display.SetTrayTipLatch(true);
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
  if (u_.settings.Options.MinimizeOnRun) {
    u_.window.Minimize();
    ApplicationMinimize();
    return;
  }
  if (u_.settings.Options.ShowIcon) AddTrayIcon();
  u_.window.ShowWindow();
}

void TTaskTray::SetMenuForTray(bool minimized) {
  if (TMenuItem* onTop = u_.menuItem("alwaysonTop1")) onTop->Visible = !minimized;
  if (TMenuItem* tray = u_.menuItem("TaskTray1")) tray->Checked = minimized;
}

// Without a notification area the window stays minimised where the desktop keeps it: hidden,
// nothing could bring it back.
void TTaskTray::ApplicationMinimize() {
  if (minimized_) return;
  minimized_ = true;
  if (u_.trayView.TrayAvailable()) {
    if (!shown_) AddTrayIcon();
    u_.trayView.HideWindow();
  }
  SetMenuForTray(true);
  u_.refresh();
}

void TTaskTray::ApplicationRestore() {
  if (!minimized_) return;
  minimized_ = false;
  if (!u_.settings.Options.ShowIcon && shown_) RemoveTrayIcon();
  SetMenuForTray(false);
  u_.trayView.RestoreWindow();
  u_.refresh();
}

void TTaskTray::OptionsApplied() {
  if (!u_.trayView.WindowVisible()) return;
  const bool showIcon = u_.settings.Options.ShowIcon && u_.trayView.TrayAvailable();
  if (showIcon && !shown_) AddTrayIcon();
  if (!u_.settings.Options.ShowIcon && shown_) RemoveTrayIcon();
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
  u_.window.SetForeground();
  u_.menuView.PopupMenuAtCursor();
}

void TTaskTray::actMinimizeRestoreExecute() {
  if (u_.trayView.WindowVisible()) {
    u_.window.Minimize();
    ApplicationMinimize();
  } else {
    ApplicationRestore();
  }
}

void TTaskTray::actSetForegroundExecute() {
  u_.window.SetForeground();
}

void TTaskTray::TaskTray1Click() {
  const TMenuItem* tray = u_.menuItem("TaskTray1");
  if (tray && tray->Checked) {
    ApplicationRestore();
  } else {
    u_.window.Minimize();
    ApplicationMinimize();
  }
}

}  // namespace zr4
