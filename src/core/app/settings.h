// The settings file: its ports, the tray click names it keeps, and the fixed message of a failed
// save. Loading and saving are TController::LoadSettings and TController::SaveSettings.
#pragma once

#include <array>
#include <string>

#include "core/ports/file_store.h"
#include "core/ports/text_codec.h"

namespace zr4 {

// Shown after the settings file's full path when it cannot be written.
constexpr const char* kWriteFailedSuffix = "への書き込みに失敗しました。";

// How the controller reaches its settings file.
struct SettingsStorage {
  FileStore& Files;
  TextCodec& Codec;
  std::string Path;  // the settings file's full path
};

// The action bound to each click of the tray icon, by click kind: right single, right double,
// left single, left double, middle single, middle double. An empty name binds nothing.
using TTrayClickNames = std::array<std::string, 6>;

TTrayClickNames DefaultTrayClickNames();

}  // namespace zr4
