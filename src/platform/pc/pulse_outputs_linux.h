// The sound server's outputs (PulseAudio, or PipeWire through the same protocol): each sink's
// description is an output, the default sink is the preferred one, and choosing another sets it
// as default and moves the streams that play to it.
#pragma once

#include <string>
#include <vector>

#include "core/ports/audio_outputs.h"

namespace zr4 {

class PulseOutputs : public AudioOutputs {
 public:
  // The window waits for the server on its own thread (the menu is built during start-up): a
  // server that accepts and never answers may hold it this long per call, no longer.
  static constexpr int kAnswerBoundMs = 300;

  // Each call talks to the server in one connection of its own, waiting at most `timeoutMs` for
  // the whole of it; without a server there are no outputs and nothing changes.
  explicit PulseOutputs(int timeoutMs = kAnswerBoundMs) : timeoutMs_(timeoutMs) {}

  std::vector<std::string> OutputNames() override;
  std::string PreferredOutput() override;
  TAudioOutputList ReadOutputs() override;
  void SetPreferredOutput(const std::string& name) override;

 private:
  int timeoutMs_;
};

}  // namespace zr4
