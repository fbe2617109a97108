#include "platform/options/login_start_linux.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "core/ports/file_store.h"
#include "platform/base/program_folder.h"

namespace zr4 {

namespace {

constexpr const char* kEntryName = "io.github.zr4pcctrl.zr4pcctrl.desktop";

// An argument of Exec: quoted when it holds a character the format reserves, with `"`, `` ` ``,
// `$` and `\` escaped inside the quotes; then, as for every string value, `\` doubled. A `%`
// would start a field code: it is written `%%`.
std::string ExecArgument(const std::string& argument) {
  bool quote = argument.empty();
  for (char c : argument)
    quote = quote || std::string_view(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string::npos;
  std::string quoted;
  if (quote) quoted += '"';
  for (char c : argument) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  if (quote) quoted += '"';
  std::string value;
  for (char c : quoted) {
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

// The Exec line of an entry's text; empty when it has none.
std::string ExecOf(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  bool inEntry = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') inEntry = line == "[Desktop Entry]";
    if (inEntry && line.rfind("Exec=", 0) == 0) return line.substr(5);
  }
  return {};
}

}  // namespace

std::string AutostartExec(const std::string& executable) {
  return ExecArgument(executable) + " --at-login";
}

std::string AutostartEntryText(const std::string& executable) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=ZR4PC Controller\n"
         "Name[ja]=ZR4PC コントローラー\n"
         "Comment=Starts the ZR4PC controller when you log in\n"
         "Comment[ja]=ログイン時に ZR4PC コントローラーを起動します\n"
         "Exec=" +
         AutostartExec(executable) +
         "\n"
         "Icon=io.github.zr4pcctrl.zr4pcctrl\n"
         "Terminal=false\n"
         "Categories=AudioVideo;Audio;Player;\n"
         "X-GNOME-Autostart-enabled=true\n";
}

AutostartEntry::AutostartEntry(FileStore& files, std::string configHome, std::string executable)
    : files_(files),
      configHome_(configHome),
      folder_(JoinPath(configHome, "autostart")),
      path_(JoinPath(folder_, kEntryName)),
      executable_(std::move(executable)) {}

bool AutostartEntry::Enabled() {
  const FileRead read = files_.ReadFile(path_);
  return read.result == FileRead::Result::Ok && ExecOf(read.bytes) == AutostartExec(executable_);
}

bool AutostartEntry::SetEnabled(bool enabled) {
  if (!enabled) return std::remove(path_.c_str()) == 0 || errno == ENOENT;
  for (const std::string& folder : {configHome_, folder_})
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  return files_.WriteFileAtomic(path_, AutostartEntryText(executable_)) == FileWrite::Written;
}

AutostartEntry SystemAutostartEntry(FileStore& files) {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string home = config && config[0] == '/' ? config : "";
  if (home.empty()) {
    const char* user = std::getenv("HOME");
    home = JoinPath(user ? user : "", ".config");
  }
  return AutostartEntry(files, home, ExecutablePath());
}

}  // namespace zr4
