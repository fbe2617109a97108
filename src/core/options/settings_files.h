// The files beside the settings file and the settings file itself: reading them at start and
// writing the settings back, so that a file the program cannot read or decode is never replaced
// and a failed write is told rather than lost. Without storage there are no files: the settings
// held stay as they are and nothing is written.
#pragma once

#include <string>
#include <vector>

#include "core/menu/shortcuts.h"
#include "core/settings/settings.h"

namespace zr4 {

class MenuView;
class MessageView;
class PlacementView;
class TAppCtrlList;

class TSettingsFiles {
 public:
  // `settings` is what is read and written; `placement` places the window, `menuView` gets the
  // shortcuts read and `messages` shows the failures.
  TSettingsFiles(const SettingsStorage* storage, PlacementView& placement, MenuView& menuView,
                 MessageView& messages, TSettings& settings)
      : storage_(storage),
        placement_(placement),
        menuView_(menuView),
        messages_(messages),
        settings_(settings) {}

  // Reads the settings file (window position, options, lists, tray click names) and moves the
  // window to the position it holds, when the window knows where it is.
  void LoadSettings();
  // Writes all of it back, with the window's position (the one read, when the window does not
  // know where it is); a failed write shows a message and changes nothing. A read-only file is
  // told once per run.
  void SaveSettings();
  // Reads "ShortCut.ini" in the settings file's folder into `shortcuts` and binds them to the
  // window's keys. A missing or unreadable file gives no shortcuts and no message; the file is
  // never written.
  void LoadShortcuts(std::vector<TShortcutBinding>& shortcuts) const;
  // The application command sets of "DoraZozArar.ini" in the settings file's folder. A missing
  // file gives no sets; the user is told about a file that cannot be read and, in one message,
  // about the sections that cannot be read whole.
  void LoadAppCommandSets(TAppCtrlList& sets) const;

 private:
  const SettingsStorage* storage_;
  PlacementView& placement_;
  MenuView& menuView_;
  MessageView& messages_;
  TSettings& settings_;
  bool toldReadOnly_ = false;
};

}  // namespace zr4
