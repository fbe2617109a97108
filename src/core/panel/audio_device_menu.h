// The "AudioDevice" submenu: the PC's audio outputs, the preferred one ticked, and a click
// that makes another one preferred. Built once, when first needed.
#pragma once

#include <string>
#include <vector>

#include "core/ports/audio_outputs.h"

namespace zr4 {

class TAudioDeviceMenu {
 public:
  explicit TAudioDeviceMenu(AudioOutputs& outputs) : outputs_(outputs) {}

  // Reads the outputs and the preferred one. Without outputs the submenu is disabled.
  void Build();

  const std::vector<std::string>& Names() const { return names_; }
  // The ticked entry, -1 when none is (a preferred name that matches no output exactly).
  int Ticked() const { return ticked_; }
  bool Enabled() const { return !names_.empty(); }

  // Entry `index` clicked: it becomes the preferred output. A ticked entry, a submenu of one
  // entry and an index outside the entries change nothing.
  void Click(int index);

 private:
  AudioOutputs& outputs_;
  std::vector<std::string> names_;
  int ticked_ = -1;
};

}  // namespace zr4
