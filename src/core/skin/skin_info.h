// What a skin says about the window: positions and visibility of the 27 buttons and the 11
// labels, the labels' fonts, the transparent colours and the extra information (volume bar,
// frame, credits). Button indexes, display slots and font slots are fixed tables.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/base/rect.h"

namespace zr4 {

constexpr int kSkinButtonCount = 27;
constexpr int kDisplaySlotCount = 11;
constexpr int kFontSlotCount = 11;

// Button indexes.
enum TSkinButton : int {
  btnSel_Tuner,
  btnSel_Usb,
  btnSel_Tape,
  btnSel_Band,
  btnSel_CD,
  btnSel_Md,
  btnPower,
  btnOption,
  btnMute,
  btnNB,
  btnRepeat,
  btnRandom,
  btnEject,
  btnAutoManu,
  btnPlay,
  btnStop,
  btnNext,
  btnPrevious,
  btnForward,
  btnRewind,
  btnMinimize,
  btnExit,
  btnVolseek,
  btnVolUp,
  btnVolDown,
  btnMode,
  btnAbout
};

// Display slots.
enum TDisplaySlot : int {
  slotInput,
  slotVol,
  slotVolStr,
  slotPresetNum,
  slotRadioNum,
  slotHz,
  slotMute,
  slotTone,
  slotRepeat,
  slotAutoManu,
  slotRadioName
};

struct TSkinPoint {
  int x = 0, y = 0;
  bool operator==(const TSkinPoint&) const = default;
};

// Style bits of a skin font.
constexpr int kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8;

struct TSkinFont {
  // A font nobody set: the platform's default face at 8 points, black.
  std::string Name;
  int Size = 8;             // points
  std::uint32_t Color = 0;  // $00BBGGRR
  int Style = 0;
  bool operator==(const TSkinFont&) const = default;
};

struct TExInfo {
  TRect VolBarRect;
  bool Kind = false;    // the volume bar runs vertically
  bool Bar = false;     // a shaped skin shows the volume scroll bar
  bool Border = false;  // a strip skin's window is framed
  std::string Author;
  std::string Description;
};

struct TSkinInfo {
  std::array<TSkinPoint, kSkinButtonCount> ButtonPos{};
  std::array<TSkinPoint, kDisplaySlotCount> DisplayPos{};
  std::array<TSkinFont, kFontSlotCount> Fonts{};
  std::array<bool, kSkinButtonCount> ButtonVisible{};
  std::array<bool, kDisplaySlotCount> DisplayVisible{};
  std::uint32_t MainTransparentColor = 0;
  std::uint32_t BtnTransparentColor = 0;
  TExInfo ExInfo;
};

// Key of each button in [ButtonPosition] and [Visible] (the latter spells btnSel_CD "btnSel_Cd";
// keys match regardless of case).
extern const std::array<const char*, kSkinButtonCount> kSkinButtonKeys;
// A shaped skin's picture of each button, then "main.bmp".
extern const std::array<const char*, kSkinButtonCount + 1> kSkinBitmapNames;
// The display slot each font slot belongs to.
extern const std::array<TDisplaySlot, kFontSlotCount> kFontSlotLabels;

}  // namespace zr4
