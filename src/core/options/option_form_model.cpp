#include "core/options/option_form_model.h"

#include <algorithm>

#include "core/options/relative_path.h"
#include "core/pcactions/gesture_entry.h"
#include "core/tray/tray_action_mgr.h"
#include "core/tray/tray_clicks.h"

namespace zr4 {

namespace {
// The click kinds as the tray page names them.
constexpr const char* kTrayClicks[kTrayClickKinds] = {"右クリック", "右ダブルクリック",
                                                      "左クリック", "左ダブルクリック",
                                                      "中クリック", "中ダブルクリック"};
constexpr const char* kUnreportedClicksNote = "灰色のクリックはこのデスクトップでは届きません。";
constexpr const char* kHostMenuNote =
    "灰色のクリックはこのデスクトップでは届きません。右クリックではデスクトップがメニューを開きます"
    "。";
}  // namespace

void TOptionFormModel::LoadFromOptions(const TOptionData& options) {
  Controls = options;
  Page = std::clamp(options.OptionPage, 0, kOptionPageCount - 1);
  // A value edited by hand past its range shows, and is stored, as the nearest one allowed.
  for (const TOptionSpin& spin : OptionSpins()) SetSpin(spin, options.*spin.setting);
  skinChanged_ = false;
}

void TOptionFormModel::SetSpin(const TOptionSpin& spin, int value) {
  Controls.*spin.setting = std::clamp(value, spin.min, spin.max);
}

void TOptionFormModel::SaveToOptions(TOptionData& options) const {
  options = Controls;
  options.OptionPage = Page;
}

void TOptionFormModel::SkinBrowsed(const std::optional<std::string>& chosen,
                                   const std::string& programFolder) {
  skinChanged_ = chosen.has_value();
  if (chosen) Controls.SkinIniName = RelativePath(*chosen, programFolder);
}

void TOptionFormModel::LoadRemoteCommands(const std::vector<std::string>& gestures) {
  Gestures.clear();
  for (const std::string& line : gestures) {
    if (line.empty()) break;
    const TGestureEntry entry = GestureFromText(line);
    Gestures.push_back({entry.Sequence, entry.Command, entry.Enabled});
  }
}

void TOptionFormModel::StoreRemoteCommands(std::vector<std::string>& gestures) const {
  gestures.clear();
  for (const TGestureRow& row : Gestures)
    gestures.push_back(GestureToText({row.Sequence, row.Command, row.Checked}));
}

void TOptionFormModel::AddCommandItems(const std::vector<std::string>& items) {
  CommandItems.insert(CommandItems.end(), items.begin(), items.end());
}

void TOptionFormModel::LoadTrayActions(const TTaskTrayActionMgr& tray,
                                       const TTrayHostClicks& host) {
  TrayRows.clear();
  TrayNote.clear();
  for (int kind = 0; kind < kTrayClickKinds; ++kind) {
    TrayRows.push_back({kTrayClicks[kind], tray.AssignedCaption(kind), host.ReportsKind(kind)});
    if (!host.ReportsKind(kind)) TrayNote = kUnreportedClicksNote;
  }
  if (!host.rightClick) TrayNote = kHostMenuNote;
  TrayChoices.clear();
  for (int i = 0; i < tray.ActionCount(); ++i) TrayChoices.push_back(tray.CaptionAt(i));
}

int TOptionFormModel::TrayChoiceOf(int row) const {
  if (row < 0 || row >= static_cast<int>(TrayRows.size())) return -1;
  const auto found = std::find(TrayChoices.begin(), TrayChoices.end(),
                               TrayRows[static_cast<std::size_t>(row)].Action);
  return found == TrayChoices.end() ? -1 : static_cast<int>(found - TrayChoices.begin());
}

void TOptionFormModel::RegisterTrayAction(int row, int choice) {
  if (row < 0 || row >= static_cast<int>(TrayRows.size())) return;
  if (choice < 0 || choice >= static_cast<int>(TrayChoices.size())) return;
  if (!TrayRows[static_cast<std::size_t>(row)].Reported) return;
  TrayRows[static_cast<std::size_t>(row)].Action = TrayChoices[static_cast<std::size_t>(choice)];
}

void TOptionFormModel::StoreTrayActions(TTaskTrayActionMgr& tray) const {
  for (std::size_t kind = 0; kind < TrayRows.size(); ++kind)
    tray.AssignKind(static_cast<int>(kind), tray.IndexOfCaption(TrayRows[kind].Action));
}

}  // namespace zr4
