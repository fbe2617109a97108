// The window's actions by name ("actPlay", ...): what skin buttons, menu entries, shortcuts and
// tray clicks run. Running an action through the list counts as activity (the list's hook);
// forwarded parameters call the commands directly and do not.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zr4 {

class TCommands;

struct TAction {
  std::string Name;
  std::string Caption;
  std::string Hint;
  // Empty for an action whose feature the window does not offer yet, and for actDeviceChange,
  // which has no handler at all: such an action is disabled.
  std::function<void()> OnExecute;
};

class TActionList {
 public:
  // Every action of the window, bound to the commands.
  explicit TActionList(TCommands& commands);

  // The action of that name, matched without regard to case (the tray settings store names as
  // the user may have typed them); nullptr when there is none.
  const TAction* Find(std::string_view name) const;
  // The position of the action in the list, or -1.
  int IndexOf(std::string_view name) const;

  // Runs the action as a control of the window does: first the list's hook
  // (TCommands::ActionList1Execute), then the action. An unknown name, or an action without a
  // handler (which is disabled), runs nothing, not even the hook, and gives false.
  bool Execute(std::string_view name) const;

  const std::vector<TAction>& Actions() const { return actions_; }

  // Gives the action its handler: the window's own actions (tray, dialogs) are bound by the
  // parts that own them. An unknown name changes nothing.
  void SetHandler(std::string_view name, std::function<void()> handler);

 private:
  TCommands& commands_;
  std::vector<TAction> actions_;
};

}  // namespace zr4
