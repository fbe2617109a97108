// The window's skin: the Skin menu's list, loading a skin and handing the window what to draw,
// the volume knob and the volume bar's mouse handling, and the hidden border toggle.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/skin/skin.h"
#include "core/skin/skin_layout.h"

namespace zr4 {

class MessageView;
class PlacementView;
class SkinView;
class WindowView;
class FileStore;
class FolderList;
class TActionList;
class TTaskTray;
class TVolumeControl;
class TextCodec;
struct TSettings;

// Where skins come from. Relative skin names ("skins\skindefa.zip") are looked up under each
// of `Folders` in turn (the program's folder first, then the data folders of an installed
// copy); `BuiltIn` is a skin archive compiled into the program for when none can be loaded.
struct TSkinPorts {
  FileStore& Files;
  TextCodec& Codec;
  FolderList& FolderLister;
  std::vector<std::string> Folders;
  std::string BuiltIn;
  // Whether a screen draws at 200 % or more: only then are a skin's 2x pictures read (they
  // would take most of the load's time for nothing).
  bool HiDpiPictures = true;
};

// One entry of the Skin menu.
struct TSkinMenuEntry {
  enum Kind { Ini = 10, Zip = 20, Folder = 40 };
  std::string Caption;
  Kind Tag = Zip;
  // The setting the entry stands for: "skins\" + caption + ".zip", ".ini" or "\skin.ini".
  std::string SkinIniName() const;
};

// The action each skinned button runs, by button index; none for the volume knob.
constexpr std::array<const char*, kSkinButtonCount> kSkinButtonActions = {
    "actSelectTUNER", "actSelectUSB", "actSelectAUX",    "actSelectBAND", "actSelectCD",
    "actSelectMD",    "actPower",     "actOptionDialog", "actMute",       "actTone",
    "actRepeat",      "actRandom",    "actEject",        "actAutoManu",   "actPlay",
    "actStop",        "actNext",      "actPrevious",     "actForward",    "actRewind",
    "actMinimize",    "actExit",      nullptr,           "actVolumeUp",   "actVolumeDn",
    "actModeChange",  "actAbout"};

class TSkinControl {
 public:
  static constexpr const char* kBuiltInName = "skindefa.zip";
  // Shown once when start-up falls back to the built-in skin, after the reason.
  static constexpr const char* kFallbackNotice = "内蔵のスキンを使います。";

  // What a skin changes and what its buttons and volume bar reach. `settings` holds the
  // chosen skin, the volume limit and Always On Top; a shown `tray` icon is put back after the
  // window changed its face. Without `ports` no skin loads.
  struct Uses {
    MessageView& messages;
    PlacementView& placement;
    SkinView& skinView;
    WindowView& window;
    TTaskTray& tray;
    TVolumeControl& slider;
    TSettings& settings;
    TActionList& actions;
    const TSkinPorts* ports = nullptr;
  };
  explicit TSkinControl(Uses uses) : u_(uses), ports_(uses.ports) {}

  // Fills the Skin menu from the "skins" folders: sub-folders holding a skin.ini, then INI
  // files, then zip archives, each folder in turn; a name found twice is listed once.
  void ScanSkins();
  const std::vector<TSkinMenuEntry>& Entries() const { return entries_; }
  // The checked entry, or -1.
  int Checked() const { return checked_; }
  // A click on entry `index`: unless it is checked already, it becomes the skin.
  void MenuClick(int index);

  // Loads the skin named by a setting. A skin that cannot be used shows why and leaves the
  // window as it was; returns whether it loaded.
  bool LoadSkinFile(const std::string& skinIniName);
  // Loads the skin SkinIniName names and pulls the window back into the work area when it knows
  // where it is (a skin chosen in the menu or the options dialog).
  void LoadChosenSkin();
  // The skin of start-up: when it cannot be used, the built-in skin takes its place and one
  // message says why. The default skin that no skins folder holds is replaced by its built-in
  // copy with one notice line and no message.
  void LoadStartupSkin(const std::string& skinIniName);

  // A click on skinned button `index` runs its action through the action list.
  void ButtonClick(int index);
  // The knob follows the volume.
  void PlaceVolumeKnob(int volume);
  // A left press on the window's face at (x, y): a press in the volume bar sets the volume.
  void FormMouseDown(int x, int y);
  // The knob dragged, (x, y) in the knob's coordinates.
  void VolBarMouseMove(bool leftButtonOnly, int x, int y);
  // The hidden "BorderLess" entry: frames the window or takes the frame away.
  void BorderLess1Click();
  bool BorderLess() const { return borderLess_; }

  const TSkinLook& Look() const { return look_; }
  // The full path a setting names; where it is not found, as it would be in the program folder.
  std::string ResolveSkinPath(const std::string& skinIniName) const;

 private:
  // The full path of a relative skin name under the first folder of the ports that holds it;
  // none when no folder does.
  std::optional<std::string> FindSkin(const std::string& skinIniName) const;
  std::optional<std::string> TryLoad(const std::function<void(TSkin&)>& load);
  void Apply(TSkinLook look);

  Uses u_;
  const TSkinPorts* ports_;
  TSkinLook look_;
  TSkinLayout layout_;
  TSkinPoint knob_;
  TKnobDrag knobDrag_;
  std::vector<TSkinMenuEntry> entries_;
  int checked_ = -1;
  bool borderLess_ = false;
};

}  // namespace zr4
