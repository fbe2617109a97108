// A settings file whose bytes do not decode (neither UTF-8, UTF-16 nor code page 932: Latin-1
// text, binary) reads with replacement characters, and a save would rewrite it as UTF-8: its
// original bytes would be gone. Before that first save they are kept beside it.
#pragma once

#include <string>
#include <string_view>

#include "core/ports/file_store.h"
#include "core/ports/text_codec.h"

namespace zr4 {

// The name the original is kept under: the settings file's name with ".bak".
std::string SettingsBackupPath(const std::string& settingsPath);

// Keeps `bytes`, the settings file as it is now, as SettingsBackupPath when they do not decode,
// and tells the user so. Returns whether the file may be rewritten: true when the bytes decode
// or are kept now or were kept before; false when they could not be kept (another backup is in
// the way, or writing it failed): the file is then left as it is.
bool KeepUndecodableSettings(FileStore& files, TextCodec& codec, const std::string& settingsPath,
                             std::string_view bytes);

}  // namespace zr4
