#include "core/skin/skin_control.h"

#include "core/base/file_path.h"
#include "core/base/same_text.h"
#include "core/commands/action_list.h"
#include "core/panel/message_view.h"
#include "core/panel/placement_view.h"
#include "core/panel/snapping.h"
#include "core/panel/volume_control.h"
#include "core/panel/window_view.h"
#include "core/ports/folder_list.h"
#include "core/ports/log.h"
#include "core/settings/option_data.h"
#include "core/settings/settings.h"
#include "core/skin/skin_view.h"
#include "core/tray/task_tray.h"

namespace zr4 {

namespace {

constexpr const char* kSkinsFolder = "skins";

bool EndsWithNoCase(const std::string& name, std::string_view tail) {
  return name.size() > tail.size() &&
         SameText(std::string_view(name).substr(name.size() - tail.size()), tail);
}

std::string WithSlashes(std::string path) {
  for (char& ch : path)
    if (ch == '\\') ch = '/';
  return path;
}

bool IsAbsolute(const std::string& path) {
  return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
         (path.size() > 1 && path[1] == ':');
}

}  // namespace

std::string TSkinMenuEntry::SkinIniName() const {
  switch (Tag) {
    case Ini:
      return std::string(kSkinsFolder) + "\\" + Caption + ".ini";
    case Folder:
      return std::string(kSkinsFolder) + "\\" + Caption + "\\skin.ini";
    case Zip:
      break;
  }
  return std::string(kSkinsFolder) + "\\" + Caption + ".zip";
}

void TSkinControl::ScanSkins() {
  entries_.clear();
  checked_ = -1;
  if (!ports_) return;
  auto add = [&](std::string caption, TSkinMenuEntry::Kind tag) {
    for (const TSkinMenuEntry& e : entries_)
      if (e.Tag == tag && SameText(e.Caption, caption)) return;
    entries_.push_back({std::move(caption), tag});
  };
  for (const std::string& base : ports_->Folders) {
    const std::string skins = JoinWithSlash(base, kSkinsFolder);
    const std::vector<TFolderEntry> listed = ports_->FolderLister.List(skins);
    for (const TFolderEntry& e : listed)
      if (e.IsFolder &&
          !FindFileNoCase(ports_->FolderLister, JoinWithSlash(skins, e.Name), "skin.ini").empty())
        add(e.Name, TSkinMenuEntry::Folder);
    for (const TFolderEntry& e : listed)
      if (!e.IsFolder && EndsWithNoCase(e.Name, ".ini"))
        add(e.Name.substr(0, e.Name.size() - 4), TSkinMenuEntry::Ini);
    for (const TFolderEntry& e : listed)
      if (!e.IsFolder && EndsWithNoCase(e.Name, ".zip"))
        add(e.Name.substr(0, e.Name.size() - 4), TSkinMenuEntry::Zip);
  }
}

std::string TSkinControl::ResolveSkinPath(const std::string& skinIniName) const {
  if (!ports_ || ports_->Folders.empty() || IsAbsolute(skinIniName))
    return WithSlashes(skinIniName);
  return FindSkin(skinIniName)
      .value_or(JoinWithSlash(ports_->Folders.front(), WithSlashes(skinIniName)));
}

std::optional<std::string> TSkinControl::FindSkin(const std::string& skinIniName) const {
  if (!ports_) return std::nullopt;
  const std::string relative = WithSlashes(skinIniName);
  for (const std::string& base : ports_->Folders) {
    const std::string path = JoinWithSlash(base, relative);
    const std::size_t cut = path.rfind('/');
    if (!FindFileNoCase(ports_->FolderLister, path.substr(0, cut), path.substr(cut + 1)).empty())
      return path;
  }
  return std::nullopt;
}

std::optional<std::string> TSkinControl::TryLoad(const std::function<void(TSkin&)>& load) {
  TSkin skin({ports_->Files, ports_->Codec, ports_->FolderLister, ports_->HiDpiPictures}, look_);
  std::optional<std::string> error;
  try {
    load(skin);
  } catch (const std::exception& e) {
    error = e.what();
  }
  for (const std::string& warning : skin.Warnings()) u_.messages.ShowMessage(warning);
  if (!error) Apply(skin.TakeLook());
  return error;
}

bool TSkinControl::LoadSkinFile(const std::string& skinIniName) {
  if (!ports_) return false;
  const std::string path = ResolveSkinPath(skinIniName);
  const auto error = TryLoad([&](TSkin& skin) { skin.LoadSkin(path); });
  if (error) u_.messages.ShowMessage(*error);
  return !error;
}

void TSkinControl::LoadStartupSkin(const std::string& skinIniName) {
  if (!ports_) return;
  // The default skin missing from every skins folder (a program folder of its own named by
  // ZR4PC_HOME, a copy without its data) is no fault of the user's: its built-in copy serves,
  // and a message box would only hold the start.
  if (SameText(WithSlashes(skinIniName), WithSlashes(kDefaultSkinIniName)) &&
      !FindSkin(skinIniName) &&
      !TryLoad([&](TSkin& skin) { skin.LoadSkinArchive(kBuiltInName, ports_->BuiltIn); })) {
    std::string folders;
    for (const std::string& base : ports_->Folders)
      folders += (folders.empty() ? "" : ", ") + JoinWithSlash(base, kSkinsFolder);
    NoticeText(skinIniName + " is in none of the skins folders (" + folders +
               "); the built-in copy of it is used");
    return;
  }
  const std::string path = ResolveSkinPath(skinIniName);
  const auto error = TryLoad([&](TSkin& skin) { skin.LoadSkin(path); });
  if (!error) return;
  // A broken skin file must not cost the user the window.
  const auto builtIn =
      TryLoad([&](TSkin& skin) { skin.LoadSkinArchive(kBuiltInName, ports_->BuiltIn); });
  u_.messages.ShowMessage(*error + (builtIn ? "" : std::string("\n") + kFallbackNotice));
}

void TSkinControl::Apply(TSkinLook look) {
  look_ = std::move(look);
  // Setting a strip skin's frame makes the window a plain rectangle again: the outline a shaped
  // skin left goes, also when the strip skin brings no face picture of its own.
  if (look_.SkinFormat == kStripSkin) look_.Outline.reset();
  layout_ = ApplySkinLayout(look_);
  // The tray icon stays as it is: a skin brings no icon, and the notification area keeps its own
  // window, so the window changing its face costs the icon nothing.
  u_.skinView.SkinChanged(look_, layout_);
  // The knob keeps its skin position across the bar and slides along it.
  knob_ = look_.Info.ButtonPos[btnVolseek];
  PlaceVolumeKnob(u_.slider.Position());
  // A ticked "Al&ways On Top" is applied again by every load.
  if (u_.settings.OnTop) u_.window.SetTopmost(true);
}

void TSkinControl::MenuClick(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size()) || index == checked_) return;
  checked_ = index;
  u_.settings.Options.SkinIniName = entries_[static_cast<std::size_t>(index)].SkinIniName();
  LoadChosenSkin();
}

void TSkinControl::LoadChosenSkin() {
  LoadSkinFile(u_.settings.Options.SkinIniName);
  if (!u_.placement.KnowsWindowPosition()) return;  // its place is the desktop's to keep
  const TRect window = u_.placement.WindowRect();
  const TRect kept = KeepInWorkArea(window, u_.placement.WorkArea());
  if (kept != window) u_.placement.MoveWindow(kept.left, kept.top);
}

void TSkinControl::PlaceVolumeKnob(int volume) {
  if (!look_.Info.ButtonVisible[btnVolseek]) return;
  knob_ = zr4::PlaceVolumeKnob(look_, knob_, volume, u_.settings.Options.VolMax);
  u_.skinView.VolumeKnobMoved(knob_.x, knob_.y);
}

void TSkinControl::ButtonClick(int index) {
  if (index < 0 || index >= kSkinButtonCount) return;
  if (const char* action = kSkinButtonActions[static_cast<std::size_t>(index)])
    u_.actions.Execute(action);
}

void TSkinControl::FormMouseDown(int x, int y) {
  if (auto volume = VolumeAtPress(look_.Info.ExInfo, x, y, u_.settings.Options.VolMax))
    u_.slider.SetPosition(*volume);
}

void TSkinControl::VolBarMouseMove(bool leftButtonOnly, int x, int y) {
  if (auto volume = knobDrag_.Move(look_.Info.ExInfo, knob_, leftButtonOnly, x, y,
                                   u_.settings.Options.VolMax))
    u_.slider.SetPosition(*volume);
}

void TSkinControl::BorderLess1Click() {
  borderLess_ = !borderLess_;
  layout_.Framed = !borderLess_;
  u_.window.FramedChanged(layout_.Framed);
}

}  // namespace zr4
