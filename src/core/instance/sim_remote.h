// The remote of the simulated component, pressed from outside the window (`--sim-remote KEY`
// of a later start), so that gestures can be tried without the hardware. Only the simulated
// component has keys to press: a real ZR4PC's remote is in the user's hand.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/device/remote_key_names.h"
#include "core/device/sim_component.h"

namespace zr4 {

class TZR4Ctrl;

class TSimRemote {
 public:
  explicit TSimRemote(TZR4Ctrl& link) : link_(link) {}

  // The simulated component the link may be driving; nullptr when the program has none.
  void Attach(TSimComponent* component) { component_ = component; }

  // Presses the key named `name` when the link drives the simulated component. Returns "OK",
  // or a line that says why nothing was pressed.
  std::string Press(std::string_view name);

 private:
  TZR4Ctrl& link_;
  TSimComponent* component_ = nullptr;
};

}  // namespace zr4
