// The actions a click on the tray icon can run, and which one each of the six click kinds runs.
// Entry 0 is "なし" (nothing); the window registers its entries at start.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zr4 {

struct TAction;

// Click kinds: right single, right double, left single, left double, middle single, middle double.
constexpr int kTrayClickKinds = 6;

class TTaskTrayActionMgr {
 public:
  // `run` executes an action as the window's controls do (through the action list).
  explicit TTaskTrayActionMgr(std::function<void(const TAction&)> run);

  // Appends an entry; returns its index.
  int AddAction(std::string caption, const TAction* action);
  int ActionCount() const { return static_cast<int>(entries_.size()); }
  // Empty, or nullptr, for an index outside the list.
  std::string CaptionAt(int index) const;
  const TAction* ActionAt(int index) const;

  // The first entry with that caption, compared without regard to case; -1 when none.
  int IndexOfCaption(std::string_view caption) const;
  // The last entry whose action has exactly that name (case counts); 0 ("なし") when none.
  int IndexOfActionName(std::string_view name) const;

  // Entries 1 … ActionCount()-1 bind their action to the kind; any other index (0 included)
  // binds none. A kind outside 0 … 5 is ignored.
  void AssignKind(int kind, int index);
  const TAction* AssignedAction(int kind) const;
  // Runs the kind's action; nothing when none is bound.
  void ExecuteKind(int kind) const;
  // The caption of the bound action's entry, and the action's name; empty when none is bound.
  std::string AssignedCaption(int kind) const;
  std::string AssignedName(int kind) const;

 private:
  struct Entry {
    std::string caption;
    const TAction* action;
  };

  std::function<void(const TAction&)> run_;
  std::vector<Entry> entries_;
  std::array<const TAction*, kTrayClickKinds> assigned_{};
};

}  // namespace zr4
