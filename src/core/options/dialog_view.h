// The option dialog and the about box, shown modally on the model they edit.
#pragma once

namespace zr4 {

class TOptionFormModel;
class TAboutModel;

class DialogView {
 public:
  virtual ~DialogView() = default;

  // Returns whether the user confirmed with OK.
  virtual bool RunOptionDialog(TOptionFormModel& /*form*/) { return false; }
  virtual void RunAboutBox(TAboutModel& /*about*/) {}
};

}  // namespace zr4
