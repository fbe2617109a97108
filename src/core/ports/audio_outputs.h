// The PC's audio outputs and which of them the system plays through by default.
#pragma once

#include <string>
#include <vector>

namespace zr4 {

// The outputs and the preferred one, as one answer.
struct TAudioOutputList {
  std::vector<std::string> Names;
  std::string Preferred;
};

class AudioOutputs {
 public:
  virtual ~AudioOutputs() = default;

  // The outputs' names in the system's order; empty when there are none or no sound system.
  virtual std::vector<std::string> OutputNames() = 0;
  // The name of the preferred playback output; "" when none is set.
  virtual std::string PreferredOutput() = 0;
  // Both of the above at once. A system that answers both in one exchange overrides it, so that
  // a sound server that does not answer costs one bounded wait rather than two.
  virtual TAudioOutputList ReadOutputs() {
    TAudioOutputList list;
    list.Names = OutputNames();
    list.Preferred = PreferredOutput();
    return list;
  }
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
