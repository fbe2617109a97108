// Draws the skins the program ships and writes them to a folder:
//   skindefa.zip                   the default, shaped skin (skin.ini, main.bmp, 27 buttons), and
//                                  each picture drawn again at 2x as NAME@2x.bmp for screens at
//                                  200 % (a reader that knows no such names passes them by)
//   classic.ini, classic0/1/2.bmp  a small strip skin
// Usage: zr4_skin_maker FOLDER
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "canvas.h"
#include "core/skin/zip_writer.h"

namespace skins {
namespace {

// The panel's colours.
constexpr Rgb kBodyTop{58, 63, 72}, kBodyBottom{24, 27, 32};
constexpr Rgb kBevelLight{96, 104, 115}, kBevelDark{10, 11, 13};
constexpr Rgb kDisplayTop{4, 10, 14}, kDisplayBottom{10, 24, 30};
constexpr Rgb kDisplayGlow{18, 52, 62};
constexpr Rgb kEngraving{138, 148, 160}, kEngravingShadow{14, 16, 19};
constexpr Rgb kCapTop{70, 76, 86}, kCapBottom{38, 42, 48};
constexpr Rgb kCapText{214, 220, 227}, kAccent{127, 227, 255}, kPowerRed{235, 64, 52};

constexpr int kWidth = 440, kHeight = 198;

// A button's three states side by side: normal, pointer over it, pressed; no caption yet.
Canvas ButtonStrip(int w, int h, int scale) {
  Canvas strip(3 * w, h, kMagenta, scale);
  for (int state = 0; state < 3; ++state) {
    const int x = state * w;
    const Rgb top = state == 1   ? Mix(kCapTop, Rgb{255, 255, 255}, 1, 8)
                    : state == 2 ? kCapBottom
                                 : kCapTop;
    const Rgb bottom = state == 2 ? Mix(kCapBottom, kBevelDark, 1, 2) : kCapBottom;
    strip.Fill(x, 0, w, h, kBevelDark);
    strip.Gradient(x + 1, 1, w - 2, h - 2, top, bottom);
    strip.Fill(x + 1, 1, w - 2, 1, state == 2 ? kCapBottom : kBevelLight);
    strip.CutCorners(x, 0, w, h, 3, kMagenta);
  }
  return strip;
}

Canvas CaptionButton(const std::string& text, int w, int h, int scale) {
  Canvas strip = ButtonStrip(w, h, scale);
  for (int state = 0; state < 3; ++state) {
    const Rgb ink = state == 0 ? kCapText : state == 1 ? Rgb{255, 255, 255} : kAccent;
    strip.Text(state * w + (w - Canvas::TextWidth(text)) / 2, (h - 7) / 2 + (state == 2 ? 1 : 0),
               text, ink);
  }
  return strip;
}

// Transport symbols, drawn in a 9×7 box centred on the face.
enum class Symbol { Play, Stop, Prev, Next, Rewind, Forward, Eject };

Canvas SymbolButton(Symbol symbol, int w, int h, int scale) {
  Canvas strip = CaptionButton("", w, h, scale);
  for (int state = 0; state < 3; ++state) {
    const Rgb ink = state == 0 ? kCapText : state == 1 ? Rgb{255, 255, 255} : kAccent;
    const int x = state * w + (w - 9) / 2, y = (h - 7) / 2 + (state == 2 ? 1 : 0);
    switch (symbol) {
      case Symbol::Play:
        strip.Triangle(x + 2, y, 6, 7, 1, ink);
        break;
      case Symbol::Stop:
        strip.Fill(x + 2, y, 7, 7, ink);
        break;
      case Symbol::Prev:
        strip.Fill(x, y, 2, 7, ink);
        strip.Triangle(x + 3, y, 6, 7, -1, ink);
        break;
      case Symbol::Next:
        strip.Triangle(x, y, 6, 7, 1, ink);
        strip.Fill(x + 7, y, 2, 7, ink);
        break;
      case Symbol::Rewind:
        strip.Triangle(x, y, 5, 7, -1, ink);
        strip.Triangle(x + 5, y, 5, 7, -1, ink);
        break;
      case Symbol::Forward:
        strip.Triangle(x, y, 5, 7, 1, ink);
        strip.Triangle(x + 5, y, 5, 7, 1, ink);
        break;
      case Symbol::Eject:
        strip.TriangleUp(x, y, 9, 4, ink);
        strip.Fill(x, y + 5, 9, 2, ink);
        break;
    }
  }
  return strip;
}

Canvas PowerButton(int w, int h, int scale) {
  Canvas strip = CaptionButton("POWER", w, h, scale);
  for (int state = 0; state < 3; ++state) {
    const int x = state * w + w / 2 - 2;
    strip.Fill(x, 3, 4, 2, state == 2 ? Mix(kPowerRed, Rgb{255, 255, 255}, 1, 3) : kPowerRed);
  }
  return strip;
}

// The volume knob: a silver cap with a groove.
Canvas Knob(int w, int h, int scale) {
  Canvas strip(3 * w, h, kMagenta, scale);
  for (int state = 0; state < 3; ++state) {
    const int x = state * w;
    const Rgb top = state == 1 ? Rgb{236, 240, 244} : Rgb{206, 211, 218};
    const Rgb bottom = state == 2 ? Rgb{120, 126, 134} : Rgb{142, 148, 156};
    strip.Fill(x, 0, w, h, kBevelDark);
    strip.Gradient(x + 1, 1, w - 2, h - 2, top, bottom);
    strip.CutCorners(x, 0, w, h, 3, kMagenta);
    strip.Fill(x + w / 2 - 1, 4, 2, h - 8, state == 2 ? kAccent : Rgb{60, 64, 70});
  }
  return strip;
}

void Engrave(Canvas& c, int x, int y, const std::string& text) {
  c.ShadowedText(x, y, text, kEngraving, kEngravingShadow);
}

// The panel: brushed dark metal with rounded corners, the display window and the volume track.
Canvas MainPicture(int scale) {
  Canvas c(kWidth, kHeight, kMagenta, scale);
  c.Gradient(0, 0, kWidth, kHeight, kBodyTop, kBodyBottom);
  // Fine horizontal brushing from a fixed pseudo-random sequence, one shade per device row.
  std::uint32_t seed = 12345;
  for (int y = 2 * scale; y < (kHeight - 2) * scale; ++y) {
    seed = seed * 1103515245u + 12345u;
    const int shade = static_cast<int>((seed >> 16) % 7) - 3;
    for (int x = 2 * scale; x < (kWidth - 2) * scale; ++x) {
      Rgb p = c.PixelAt(x, y);
      auto adjust = [&](std::uint8_t v) {
        return static_cast<std::uint8_t>(std::clamp(v + shade, 0, 255));
      };
      c.SetPixel(x, y, {adjust(p.r), adjust(p.g), adjust(p.b)});
    }
  }
  c.Fill(0, 0, kWidth, 1, kBevelLight);
  c.Fill(0, 1, kWidth, 1, Mix(kBevelLight, kBodyTop, 1, 2));
  c.Fill(0, kHeight - 1, kWidth, 1, kBevelDark);
  c.Fill(0, 0, 1, kHeight, Mix(kBevelLight, kBodyTop, 1, 2));
  c.Fill(kWidth - 1, 0, 1, kHeight, kBevelDark);

  Engrave(c, 16, 9, "ZR4PC");
  Engrave(c, 56, 9, "DIGITAL AUDIO CONTROLLER");

  // The display window, set into the panel.
  c.Fill(11, 25, 418, 77, kBevelDark);
  c.Fill(12, 101, 417, 1, kBevelLight);
  c.Gradient(12, 26, 416, 75, kDisplayTop, kDisplayBottom);
  c.Fill(13, 27, 414, 1, kDisplayGlow);
  c.Fill(318, 32, 1, 63, kDisplayGlow);  // between the source and the volume
  c.Fill(20, 72, 290, 1, kDisplayGlow);  // above the mode row

  // The volume track with its scale.
  c.Fill(22, 113, 286, 4, kBevelDark);
  c.Fill(23, 114, 284, 2, Rgb{6, 40, 50});
  for (int k = 0; k <= 14; ++k) c.Fill(24 + k * 20, 121, 1, k % 7 == 0 ? 4 : 2, kEngraving);
  Engrave(c, 312, 111, "VOL");

  c.CutCorners(0, 0, kWidth, kHeight, 14, kMagenta);
  return c;
}

// Button index, picture, position.
struct Placed {
  const char* key;
  const char* file;
  Canvas picture;
  int x, y;
};

std::vector<Placed> Buttons(int scale) {
  std::vector<Placed> b;
  const char* inputs[][3] = {
      {"btnSel_Tuner", "tuner.bmp", "TUNER"}, {"btnSel_Band", "band.bmp", "BAND"},
      {"btnSel_CD", "cd.bmp", "CD"},          {"btnSel_Md", "md.bmp", "MD"},
      {"btnSel_Tape", "tapeaux.bmp", "TAPE"}, {"btnSel_Usb", "usb.bmp", "USB"}};
  for (int k = 0; k < 6; ++k)
    b.push_back(
        {inputs[k][0], inputs[k][1], CaptionButton(inputs[k][2], 44, 22, scale), 12 + k * 48, 134});
  const std::pair<const char*, const char*> transport[] = {
      {"btnPrevious", "prev.bmp"}, {"btnRewind", "rewind.bmp"},   {"btnPlay", "play.bmp"},
      {"btnStop", "stop.bmp"},     {"btnForward", "forward.bmp"}, {"btnNext", "next.bmp"},
      {"btnEject", "eject.bmp"}};
  const Symbol symbols[] = {Symbol::Prev,    Symbol::Rewind, Symbol::Play, Symbol::Stop,
                            Symbol::Forward, Symbol::Next,   Symbol::Eject};
  for (int k = 0; k < 7; ++k)
    b.push_back({transport[k].first, transport[k].second, SymbolButton(symbols[k], 34, 24, scale),
                 12 + k * 38, 164});
  b.push_back({"btnRepeat", "repeat.bmp", CaptionButton("REP", 32, 20, scale), 284, 166});
  b.push_back({"btnRandom", "random.bmp", CaptionButton("RND", 32, 20, scale), 320, 166});
  b.push_back({"btnMute", "mute.bmp", CaptionButton("MUTE", 34, 20, scale), 356, 166});
  b.push_back({"btnNB", "nb.bmp", CaptionButton("NB", 32, 20, scale), 394, 166});
  b.push_back({"btnAutoManu", "auto.bmp", CaptionButton("AUTO", 34, 22, scale), 304, 134});
  b.push_back({"btnOption", "option.bmp", CaptionButton("OPTION", 42, 22, scale), 342, 134});
  b.push_back({"btnPower", "power.bmp", PowerButton(40, 26, scale), 388, 104});
  b.push_back({"btnVolDown", "voldn.bmp", CaptionButton("-", 20, 18, scale), 334, 106});
  b.push_back({"btnVolUp", "volup.bmp", CaptionButton("+", 20, 18, scale), 358, 106});
  b.push_back({"btnMode", "mode.bmp", CaptionButton("MODE", 34, 14, scale), 342, 7});
  b.push_back({"btnAbout", "about.bmp", CaptionButton("?", 15, 14, scale), 380, 7});
  b.push_back({"btnMinimize", "mini.bmp", CaptionButton("-", 15, 14, scale), 398, 7});
  b.push_back({"btnExit", "exit.bmp", CaptionButton("X", 15, 14, scale), 416, 7});
  b.push_back({"btnVolseek", "volseek.bmp", Knob(12, 18, scale), 22, 106});
  return b;
}

// "play.bmp" -> "play@2x.bmp"
std::string At2x(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return name.substr(0, dot) + "@2x" + name.substr(dot);
}

std::string DefaultSkinIni(const std::vector<Placed>& buttons) {
  std::string ini =
      "; The default skin. Positions are in pixels of main.bmp.\r\n"
      "[Text]\r\nAuthor=zr4pcctrl\r\nDescription=Dark hi-fi panel\r\n"
      "[TransparentColor]\r\nMainTransparentColor=$00FF00FF\r\nBtnTransparentColor=$00FF00FF\r\n"
      "[DisplayPosition]\r\n"
      "InputmodePos=22,34\r\nPresetNumPos=118,34\r\nRadioStationNumPos=160,30\r\n"
      "RadioStationNamePos=152,37\r\nHzPos=270,44\r\nVolstrPos=330,34\r\nVolumePos=352,50\r\n"
      "AutoManualPos=22,78\r\nRepeatPos=96,78\r\nMutePos=170,78\r\nTonePos=232,78\r\n"
      "[VolumeBar]\r\nVolBarRect=28,106,302,124\r\nKind=0\r\nBar=0\r\n"
      "[Font]\r\n"
      "Input=Arial,12,$00FFE37F,1\r\nVolume=Arial,22,$00FFE37F,1\r\nPresetNum=Arial,12,$0093C6D8,"
      "1\r\n"
      "RadioStationNum=Arial,20,$00FFE37F,1\r\nMute=Arial,8,$005A8CFF,1\r\nTone=Arial,8,$00B0D34F,"
      "1\r\n"
      "Repeat=Arial,8,$00B0D34F,1\r\nAutoManual=Arial,8,$00B0D34F,1\r\nHz=Arial,9,$0093C6D8,0\r\n"
      "VolStr=Arial,8,$0093C6D8,1\r\nRadioStationName=MS UI Gothic,12,$00FFE37F,1\r\n"
      "[ButtonPosition]\r\n";
  for (const Placed& b : buttons)
    ini += std::string(b.key) + "=" + std::to_string(b.x) + "," + std::to_string(b.y) + "\r\n";
  ini += "[Visible]\r\n";
  for (const Placed& b : buttons)
    ini += std::string(b.key == std::string("btnSel_CD") ? "btnSel_Cd" : b.key) + "=1\r\n";
  return ini;
}

// Every build writes the same bytes: the members carry a fixed date.
constexpr std::uint16_t kSkinDate = (2024 - 1980) << 9 | 1 << 5 | 1;

// The strip skin: a plain framed panel, 13 transport and 6 input glyphs of the pixel font.
void WriteClassic(const std::string& folder, bool& ok) {
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out << bytes;
    ok = ok && static_cast<bool>(out);
  };
  constexpr Rgb kFace{212, 208, 200}, kKey{192, 192, 192}, kInk{20, 20, 20};
  Canvas main(320, 96, kFace);
  main.Fill(8, 8, 304, 40, Rgb{0, 0, 0});
  main.Frame(7, 7, 306, 42, Rgb{128, 128, 128});
  write("classic0.bmp", main.Bmp());
  const char* transport[] = {">",  "[]", "|<", ">|", "<<", ">>", "EJ",
                             "PW", "RP", "MU", "NB", "AM", "OP"};
  Canvas strip1(13 * 20, 16, kKey);
  for (int k = 0; k < 13; ++k) {
    std::string t = transport[k];
    // Arrows are not in the pixel font: draw them as shapes.
    if (t == ">")
      strip1.Triangle(k * 20 + 7, 4, 6, 7, 1, kInk);
    else if (t == "[]")
      strip1.Fill(k * 20 + 7, 4, 6, 7, kInk);
    else if (t == "|<") {
      strip1.Fill(k * 20 + 5, 4, 2, 7, kInk);
      strip1.Triangle(k * 20 + 8, 4, 6, 7, -1, kInk);
    } else if (t == ">|") {
      strip1.Triangle(k * 20 + 5, 4, 6, 7, 1, kInk);
      strip1.Fill(k * 20 + 12, 4, 2, 7, kInk);
    } else if (t == "<<") {
      strip1.Triangle(k * 20 + 5, 4, 5, 7, -1, kInk);
      strip1.Triangle(k * 20 + 10, 4, 5, 7, -1, kInk);
    } else if (t == ">>") {
      strip1.Triangle(k * 20 + 5, 4, 5, 7, 1, kInk);
      strip1.Triangle(k * 20 + 10, 4, 5, 7, 1, kInk);
    } else
      strip1.Text(k * 20 + (20 - Canvas::TextWidth(t)) / 2, 4, t, kInk);
  }
  write("classic1.bmp", strip1.Bmp());
  const char* inputs[] = {"BAND", "TUNER", "TAPE", "CD", "MD", "USB"};
  Canvas strip2(6 * 36, 16, kKey);
  for (int k = 0; k < 6; ++k)
    strip2.Text(k * 36 + (36 - Canvas::TextWidth(inputs[k])) / 2, 4, inputs[k], kInk);
  write("classic2.bmp", strip2.Bmp());
  std::string ini =
      "; A strip skin: classic0.bmp is the face, classic1.bmp and classic2.bmp the button "
      "strips.\r\n"
      "[Text]\r\nAuthor=zr4pcctrl\r\nDescription=Classic grey\r\n"
      "[DisplayPosition]\r\nInputmodePos=14,12\r\nPresetNumPos=96,12\r\nRadioStationNumPos=130,"
      "12\r\n"
      "RadioStationNamePos=130,14\r\nHzPos=220,16\r\nVolstrPos=250,12\r\nVolumePos=270,24\r\n"
      "AutoManualPos=14,32\r\nRepeatPos=64,32\r\nMutePos=120,32\r\nTonePos=170,32\r\n"
      "[ButtonPosition]\r\nbtnPlay=8,54\r\nbtnStop=30,54\r\nbtnPrevious=52,54\r\nbtnNext=74,54\r\n"
      "btnRewind=96,54\r\nbtnForward=118,54\r\nbtnEject=140,54\r\nbtnPower=292,54\r\n"
      "btnRepeat=170,54\r\nbtnMute=192,54\r\nbtnNB=214,54\r\nbtnAutoManu=236,54\r\nbtnOption=258,"
      "54\r\n"
      "btnSel_Band=8,74\r\nbtnSel_Tuner=46,74\r\nbtnSel_Tape=84,74\r\nbtnSel_CD=122,74\r\n"
      "btnSel_Md=160,74\r\nbtnSel_Usb=198,74\r\nVolBarPos=240,76\r\nVolBarWidthHeight=72,14\r\n"
      "[Visible]\r\nBorder=1\r\n"
      "[Font]\r\nInput=Arial,10,clLime,1\r\nVolume=Arial,10,clLime,1\r\nPresetNum=Arial,10,clLime,"
      "0\r\n"
      "RadioStationNum=Arial,10,clLime,1\r\nMute=Arial,7,clLime,0\r\nTone=Arial,7,clLime,0\r\n"
      "Repeat=Arial,7,clLime,0\r\nAutoManual=Arial,7,clLime,0\r\nHz=Arial,7,clLime,0\r\n"
      "VolStr=Arial,7,clLime,0\r\nRadioStationName=MS UI Gothic,9,clLime,0\r\n";
  write("classic.ini", ini);
}

}  // namespace
}  // namespace skins

int main(int argc, char** argv) {
  using namespace skins;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const std::vector<Placed> buttons = Buttons(1);
  std::vector<zr4::TZipMemberData> members = {{"skin.ini", DefaultSkinIni(buttons)},
                                              {"main.bmp", MainPicture(1).Bmp()}};
  for (const Placed& b : buttons) members.push_back({b.file, b.picture.Bmp()});
  // The 2x twins after all 1x pictures, each named after its 1x picture.
  members.push_back({At2x("main.bmp"), MainPicture(2).Bmp()});
  for (const Placed& b : Buttons(2)) members.push_back({At2x(b.file), b.picture.Bmp()});
  bool ok = true;
  {
    std::ofstream out(folder + "/skindefa.zip", std::ios::binary);
    out << zr4::WriteZip(members, kSkinDate);
    ok = static_cast<bool>(out);
  }
  WriteClassic(folder, ok);
  if (!ok) std::fprintf(stderr, "%s: cannot write to %s\n", argv[0], folder.c_str());
  return ok ? 0 : 1;
}
