// The sound server's outputs (PulseAudio, or PipeWire through the same protocol): each sink's
// description is an output, the default sink is the preferred one, and choosing another sets it
// as default and moves the streams that play to it. The server's client library is opened on
// the first call, not at start; without it there are no outputs and nothing changes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/ports/audio_outputs.h"

namespace zr4 {

struct PulseLibrary;

class PulseOutputs : public AudioOutputs {
 public:
  // The window waits for the server on its own thread (the menu is built as it first opens): a
  // server that accepts and never answers may hold it this long per call, no longer.
  static constexpr int kAnswerBoundMs = 300;

  // Each call talks to the server in one connection of its own, waiting at most `timeoutMs` for
  // the whole of it; without a server there are no outputs and nothing changes. `library` is
  // the client library opened on first use.
  explicit PulseOutputs(int timeoutMs = kAnswerBoundMs, std::string library = "libpulse.so.0");
  ~PulseOutputs() override;

  std::vector<std::string> OutputNames() override;
  std::string PreferredOutput() override;
  TAudioOutputList ReadOutputs() override;
  void SetPreferredOutput(const std::string& name) override;

 private:
  // The opened library; null when it is missing or unusable (tried once).
  const PulseLibrary* Library();

  int timeoutMs_;
  std::string libraryPath_;
  bool libraryTried_ = false;
  std::unique_ptr<PulseLibrary> library_;
};

}  // namespace zr4
