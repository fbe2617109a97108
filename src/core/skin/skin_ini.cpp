#include "core/skin/skin_ini.h"

#include <cstdint>

#include "core/base/blanks.h"
#include "core/base/comma_text.h"
#include "core/base/ini_file.h"
#include "core/base/integer_text.h"
#include "core/base/same_text.h"

namespace zr4 {

namespace {

constexpr std::array<const char*, kDisplaySlotCount> kDisplayPosKeys = {
    "InputmodePos", "VolumePos", "VolstrPos", "PresetNumPos",  "RadioStationNumPos", "HzPos",
    "MutePos",      "TonePos",   "RepeatPos", "AutoManualPos", "RadioStationNamePos"};

// Button positions are read in this order.
constexpr TSkinButton kButtonReadOrder[] = {
    btnPrevious,  btnRewind,   btnPlay,    btnStop,     btnForward, btnNext,   btnEject,
    btnRepeat,    btnMute,     btnNB,      btnAutoManu, btnOption,  btnPower,  btnSel_Band,
    btnSel_Tuner, btnSel_Tape, btnSel_CD,  btnSel_Md,   btnSel_Usb, btnRandom, btnMinimize,
    btnExit,      btnVolseek,  btnVolDown, btnVolUp,    btnMode,    btnAbout};

// Labels with a [Visible] key; the others are shown by what the display shows.
constexpr std::pair<const char*, TDisplaySlot> kDisplayVisibleKeys[] = {
    {"Inputmode", slotInput}, {"VolStr", slotVolStr},      {"Volume", slotVol},
    {"Mute", slotMute},       {"Repeat", slotRepeat},      {"PresetNum", slotPresetNum},
    {"Tone", slotTone},       {"AutoManual", slotAutoManu}};

// Buttons hidden unless [Visible] says otherwise.
bool VisibleByDefault(int button) {
  return button != btnRandom && button < btnMinimize;
}

const char* VisibleKey(int button) {
  return button == btnSel_CD ? "btnSel_Cd" : kSkinButtonKeys[static_cast<std::size_t>(button)];
}

struct NamedColor {
  const char* name;
  std::uint32_t value;
};
// The colour table: the basic colours and the system colours with their classic values.
constexpr NamedColor kColors[] = {
    {"clBlack", 0x000000},         {"clMaroon", 0x000080},
    {"clGreen", 0x008000},         {"clOlive", 0x008080},
    {"clNavy", 0x800000},          {"clPurple", 0x800080},
    {"clTeal", 0x808000},          {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},        {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},          {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},          {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},          {"clWhite", 0xFFFFFF},
    {"clLtGray", 0xC0C0C0},        {"clDkGray", 0x808080},
    {"clMoneyGreen", 0xC0DCC0},    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},         {"clMedGray", 0xA4A0A0},
    {"clScrollBar", 0xC8D0D4},     {"clBackground", 0x000000},
    {"clActiveCaption", 0x6A240A}, {"clInactiveCaption", 0x808080},
    {"clMenu", 0xC8D0D4},          {"clWindow", 0xFFFFFF},
    {"clWindowFrame", 0x000000},   {"clMenuText", 0x000000},
    {"clWindowText", 0x000000},    {"clCaptionText", 0xFFFFFF},
    {"clActiveBorder", 0xC8D0D4},  {"clInactiveBorder", 0xC8D0D4},
    {"clAppWorkSpace", 0x808080},  {"clHighlight", 0x6A240A},
    {"clHighlightText", 0xFFFFFF}, {"clBtnFace", 0xC8D0D4},
    {"clBtnShadow", 0x808080},     {"clGrayText", 0x808080},
    {"clBtnText", 0x000000},       {"clInactiveCaptionText", 0xC8D0D4},
    {"clBtnHighlight", 0xFFFFFF},  {"cl3DDkShadow", 0x404040},
    {"cl3DLight", 0xC8D0D4},       {"clInfoText", 0x000000},
    {"clInfoBk", 0xE1FFFF}};

std::uint32_t ColorOrThrow(const std::string& text) {
  if (auto colour = ParseSkinColor(text)) return *colour;
  throw ESkinError("'" + text + "' is not a valid integer value");
}

int Field(const std::vector<std::string>& fields, std::size_t i) {
  return ParseSkinInteger(fields[i]).value_or(0);
}

}  // namespace

std::optional<int> ParseSkinInteger(std::string_view text) {
  const auto parsed = ParseIntegerText(Trim(text));
  if (!parsed) return std::nullopt;
  return parsed->value;
}

std::optional<std::uint32_t> ParseSkinColor(std::string_view text) {
  const std::string s(Trim(text));
  for (const NamedColor& c : kColors)
    if (SameText(c.name, s)) return c.value;
  if (auto value = ParseSkinInteger(s)) return static_cast<std::uint32_t>(*value);
  return std::nullopt;
}

bool ReadSkinIni(TSkinInfo& info, std::string_view text, const std::string& path,
                 std::vector<std::string>& warnings) {
  const TIniFile ini = TIniFile::Parse(text);

  for (int slot = 0; slot < kDisplaySlotCount; ++slot) {
    const auto fields =
        DecodeCommaText(ini.ReadString("DisplayPosition", kDisplayPosKeys[slot], "0,0"));
    if (fields.size() < 2) {
      warnings.push_back("Error  [DisplayPosition] " + path);
      break;
    }
    info.DisplayPos[static_cast<std::size_t>(slot)] = {Field(fields, 0), Field(fields, 1)};
  }

  [&] {
    for (TSkinButton button : kButtonReadOrder) {
      const auto fields = DecodeCommaText(ini.ReadString(
          "ButtonPosition", kSkinButtonKeys[static_cast<std::size_t>(button)], "0,0"));
      if (fields.size() < 2) return;
      info.ButtonPos[static_cast<std::size_t>(button)] = {Field(fields, 0), Field(fields, 1)};
    }
    TExInfo& ex = info.ExInfo;
    if (ini.SectionExists("VolumeBar")) {
      const auto rect = DecodeCommaText(ini.ReadString("VolumeBar", "VolBarRect", "0,0,0,0"));
      if (rect.size() < 4) return;
      ex.VolBarRect = {Field(rect, 0), Field(rect, 1), Field(rect, 2), Field(rect, 3)};
      ex.Kind = ParseSkinInteger(ini.ReadString("VolumeBar", "Kind", "0")).value_or(0) != 0;
      ex.Bar = ParseSkinInteger(ini.ReadString("VolumeBar", "Bar", "0")).value_or(0) != 0;
    } else {
      const auto pos = DecodeCommaText(ini.ReadString("ButtonPosition", "VolBarPos", "0,0"));
      if (pos.size() < 2) return;
      const auto size =
          DecodeCommaText(ini.ReadString("ButtonPosition", "VolBarWidthHeight", "0,12"));
      if (size.size() < 2) return;
      const int x = Field(pos, 0), y = Field(pos, 1), w = Field(size, 0);
      const int h = Field(size, 1) == 0 ? 10 : Field(size, 1);
      ex.VolBarRect = {x, y, x + w, y + h};
    }
  }();

  auto readBool = [&](const char* key, bool fallback) {
    if (!ini.ValueExists("Visible", key)) return fallback;
    const auto value = ParseSkinInteger(ini.ReadString("Visible", key, ""));
    return value ? *value != 0 : fallback;
  };
  for (const auto& [key, slot] : kDisplayVisibleKeys)
    info.DisplayVisible[static_cast<std::size_t>(slot)] = readBool(key, true);
  for (int b = 0; b < kSkinButtonCount; ++b)
    info.ButtonVisible[static_cast<std::size_t>(b)] = readBool(VisibleKey(b), VisibleByDefault(b));
  info.ExInfo.Border = readBool("Border", false);

  if (const std::vector<std::string> keys = ini.KeyNames("Font"); !keys.empty()) {
    auto readFont = [&](int slot, const std::string& value) {
      TSkinFont& font = info.Fonts[static_cast<std::size_t>(slot)];
      font.Name = GetCsvField(value, 1);
      font.Size = ParseSkinInteger(GetCsvField(value, 2)).value_or(9);
      font.Color = ColorOrThrow(GetCsvField(value, 3));
      font.Style = ParseSkinInteger(GetCsvField(value, 4)).value_or(0);
    };
    try {
      for (int slot = 0; slot < 10; ++slot) {
        if (static_cast<std::size_t>(slot) >= keys.size())
          throw ESkinError("List index out of bounds");
        readFont(slot, ini.ReadString("Font", keys[static_cast<std::size_t>(slot)], ""));
      }
      readFont(10, ini.ReadString("Font", "RadioStationName", "MS UI Gothic,9,$00000000,0"));
    } catch (const ESkinError&) {
      warnings.push_back("Error  [Font] " + path);
    }
  }

  const bool hasText = ini.SectionExists("Text");
  info.ExInfo.Author = hasText ? ini.ReadString("Text", "Author", "") : "";
  info.ExInfo.Description = hasText ? ini.ReadString("Text", "Description", "") : "";

  if (!ini.SectionExists("TransparentColor")) return false;
  info.MainTransparentColor =
      ColorOrThrow(ini.ReadString("TransparentColor", "MainTransparentColor", "$00FF00FF"));
  info.BtnTransparentColor =
      ColorOrThrow(ini.ReadString("TransparentColor", "BtnTransparentColor", "$00FF00FF"));
  return true;
}

}  // namespace zr4
