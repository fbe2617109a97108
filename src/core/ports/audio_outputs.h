// The PC's audio outputs and which of them the system plays through by default.
#pragma once

#include <string>
#include <vector>

namespace zr4 {

class AudioOutputs {
 public:
  virtual ~AudioOutputs() = default;

  // The outputs' names in the system's order; empty when there are none or no sound system.
  virtual std::vector<std::string> OutputNames() = 0;
  // The name of the preferred playback output; "" when none is set.
  virtual std::string PreferredOutput() = 0;
  // Makes the output of that name the preferred one.
  virtual void SetPreferredOutput(const std::string& name) = 0;
};

// A system without audio outputs the program can reach.
class NoAudioOutputs : public AudioOutputs {
 public:
  std::vector<std::string> OutputNames() override { return {}; }
  std::string PreferredOutput() override { return {}; }
  void SetPreferredOutput(const std::string&) override {}
};

}  // namespace zr4
