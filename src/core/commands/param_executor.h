// Runs command lines such as "-ON -PCALL 5 -VOL 20": the program's own parameters at start, the
// text a second start hands over, and the commands of scheduled timers all go through here.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace zr4 {

class Clock;
class WindowView;
class TCommands;
class TPowerSave;
class TZR4Ctrl;
struct TOptionData;

class TParamExecutor {
 public:
  // What the options reach. `options` takes "-APS" minutes; `chooseAudioDevice` clicks an
  // entry of the "AudioDevice" menu, reading the outputs first.
  struct Uses {
    TZR4Ctrl& link;
    Clock& clock;
    WindowView& window;
    TOptionData& options;
    TPowerSave& powerSave;
    TCommands& commands;
    std::function<void(int index)> chooseAudioDevice;
  };
  explicit TParamExecutor(Uses uses) : u_(std::move(uses)) {}

  // Splits the line as comma text and runs each known option in order; case does not matter,
  // unknown tokens are ignored. An option that takes a value reads it from the next token,
  // which is then examined as an option itself (a number never is one). Options send single
  // frames without pause or refresh, except "-INPUT", which runs the input selection.
  void ExecuteParams(const std::string& text);

 private:
  enum class Next { Continue, Stop };
  Next RunOption(const std::string& option, const std::string* value);

  Uses u_;
};

}  // namespace zr4
