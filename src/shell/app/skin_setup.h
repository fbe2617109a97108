// What the skins need of this system: files, folder listings, the Shift-JIS converter, the
// folders that hold "skins", and the skin compiled into the program.
#pragma once

#include "core/skin/skin_control.h"
#include "platform/base/file_store_system.h"
#include "platform/base/folder_list_system.h"
#include "platform/base/text_codec_system.h"

namespace zr4 {

class SkinSetup {
 public:
  // After the application: the screens decide whether skins' 2x pictures are read.
  SkinSetup();
  const TSkinPorts& Ports() const { return ports_; }

 private:
  SystemFileStore files_;
  SystemTextCodec codec_;
  SystemFolderList folders_;
  TSkinPorts ports_;
};

// The skin archive compiled into the program.
std::string BuiltInSkin();

}  // namespace zr4

namespace zr4 {

// --check-skin: loads the skin at `path` (a zip archive, an INI file, or a folder holding
// skin.ini) without a window and prints what it holds. Returns the exit code: 0 when it loaded.
int CheckSkin(const std::string& path, bool json);

}  // namespace zr4
