#include "shell/app/program_folders.h"

#include "platform/base/program_folder.h"

namespace zr4 {

ProgramFolders FoldersOf(const std::string& program) {
  return {program, JoinPath(program, "icons"), JoinPath(program, "image")};
}

}  // namespace zr4
