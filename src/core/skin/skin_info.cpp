#include "core/skin/skin_info.h"

namespace zr4 {

const std::array<const char*, kSkinButtonCount> kSkinButtonKeys = {
    "btnSel_Tuner", "btnSel_Usb",  "btnSel_Tape", "btnSel_Band", "btnSel_CD",  "btnSel_Md",
    "btnPower",     "btnOption",   "btnMute",     "btnNB",       "btnRepeat",  "btnRandom",
    "btnEject",     "btnAutoManu", "btnPlay",     "btnStop",     "btnNext",    "btnPrevious",
    "btnForward",   "btnRewind",   "btnMinimize", "btnExit",     "btnVolseek", "btnVolUp",
    "btnVolDown",   "btnMode",     "btnAbout"};

const std::array<const char*, kSkinButtonCount + 1> kSkinBitmapNames = {
    "tuner.bmp",   "usb.bmp",    "tapeaux.bmp", "band.bmp", "cd.bmp",      "md.bmp",
    "power.bmp",   "option.bmp", "mute.bmp",    "nb.bmp",   "repeat.bmp",  "random.bmp",
    "eject.bmp",   "auto.bmp",   "play.bmp",    "stop.bmp", "next.bmp",    "prev.bmp",
    "forward.bmp", "rewind.bmp", "mini.bmp",    "exit.bmp", "volseek.bmp", "volup.bmp",
    "voldn.bmp",   "mode.bmp",   "about.bmp",   "main.bmp"};

const std::array<TDisplaySlot, kFontSlotCount> kFontSlotLabels = {
    slotInput,  slotVol,      slotPresetNum, slotRadioNum, slotMute,     slotTone,
    slotRepeat, slotAutoManu, slotHz,        slotVolStr,   slotRadioName};

}  // namespace zr4
