// Runs command lines such as "-ON -PCALL 5 -VOL 20": the program's own parameters at start, the
// text a second start hands over, and the commands of scheduled timers all go through here.
#pragma once

#include <string>

namespace zr4 {

class TController;

class TParamExecutor {
 public:
  explicit TParamExecutor(TController& controller) : c_(controller) {}

  // Splits the line as comma text and runs each known option in order; case does not matter,
  // unknown tokens are ignored. An option that takes a value reads it from the next token,
  // which is then examined as an option itself (a number never is one). Options send single
  // frames without pause or refresh, except "-INPUT", which runs the input selection.
  void ExecuteParams(const std::string& text);

 private:
  enum class Next { Continue, Stop };
  Next RunOption(const std::string& option, const std::string* value);

  TController& c_;
};

}  // namespace zr4
