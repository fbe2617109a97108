#include "core/tray/tray_action_mgr.h"

#include "core/base/same_text.h"
#include "core/commands/action_list.h"

namespace zr4 {

namespace {
bool ValidKind(int kind) {
  return kind >= 0 && kind < kTrayClickKinds;
}
}  // namespace

TTaskTrayActionMgr::TTaskTrayActionMgr(std::function<void(const TAction&)> run)
    : run_(std::move(run)) {
  entries_.push_back({"なし", nullptr});
}

int TTaskTrayActionMgr::AddAction(std::string caption, const TAction* action) {
  entries_.push_back({std::move(caption), action});
  return ActionCount() - 1;
}

std::string TTaskTrayActionMgr::CaptionAt(int index) const {
  return index >= 0 && index < ActionCount() ? entries_[static_cast<std::size_t>(index)].caption
                                             : std::string();
}

const TAction* TTaskTrayActionMgr::ActionAt(int index) const {
  return index >= 0 && index < ActionCount() ? entries_[static_cast<std::size_t>(index)].action
                                             : nullptr;
}

int TTaskTrayActionMgr::IndexOfCaption(std::string_view caption) const {
  for (int i = 0; i < ActionCount(); ++i)
    if (SameText(entries_[static_cast<std::size_t>(i)].caption, caption)) return i;
  return -1;
}

int TTaskTrayActionMgr::IndexOfActionName(std::string_view name) const {
  for (int i = ActionCount() - 1; i > 0; --i) {
    const TAction* action = entries_[static_cast<std::size_t>(i)].action;
    if (action && action->Name == name) return i;
  }
  return 0;
}

void TTaskTrayActionMgr::AssignKind(int kind, int index) {
  if (!ValidKind(kind)) return;
  assigned_[static_cast<std::size_t>(kind)] =
      index >= 1 && index < ActionCount() ? ActionAt(index) : nullptr;
}

const TAction* TTaskTrayActionMgr::AssignedAction(int kind) const {
  return ValidKind(kind) ? assigned_[static_cast<std::size_t>(kind)] : nullptr;
}

void TTaskTrayActionMgr::ExecuteKind(int kind) const {
  if (const TAction* action = AssignedAction(kind); action && run_) run_(*action);
}

std::string TTaskTrayActionMgr::AssignedCaption(int kind) const {
  const TAction* action = AssignedAction(kind);
  return action ? CaptionAt(IndexOfActionName(action->Name)) : std::string();
}

std::string TTaskTrayActionMgr::AssignedName(int kind) const {
  const TAction* action = AssignedAction(kind);
  return action ? action->Name : std::string();
}

}  // namespace zr4
