#include "core/skin/skin.h"

#include <gtest/gtest.h>

#include "core/skin/bmp_builder.h"
#include "core/skin/skin_layout.h"
#include "core/skin/skin_loading.h"

namespace zr4::test {
namespace {

// A 24-bit picture of one colour (bytes blue, green, red).
std::string Picture(int width, int height, const std::string& bgr = "\x10\x20\x30") {
  return SolidBmp(width, height, bgr);
}

class SkinTest : public SkinLoadingTest {};

TEST_F(SkinTest, AFolderIniWithoutTransparentColorIsAStripSkin) {
  files.files["/p/skins/Blue.INI"] = "[Visible]\nBorder=1\n";
  files.files["/p/skins/main.bmp"] = Picture(8, 8);
  files.files["/p/skins/blue0.bmp"] = Picture(30, 20);
  files.files["/p/skins/BLUE1.bmp"] = Picture(13 * 4, 5);
  files.files["/p/skins/blue2.bmp"] = Picture(6 * 3, 7);
  const TSkinLook look = Load("/p/skins/blue.ini");
  EXPECT_EQ(look.SkinFormat, kStripSkin);
  EXPECT_EQ(look.Main.Width, 30);
  EXPECT_FALSE(look.Outline.has_value());
  EXPECT_TRUE(look.Info.ExInfo.Border);
  // Glyphs: transparent where they have their lower-left colour, so a plain glyph is empty.
  EXPECT_EQ(look.Buttons[btnPlay].Width, 4);
  EXPECT_EQ(look.Buttons[btnPlay].Image.Argb.front(), 0u);
  EXPECT_FALSE(look.Buttons[btnPlay].SkinMode);
  EXPECT_EQ(look.Buttons[btnSel_Tuner].Height, 7);
  EXPECT_EQ(look.Buttons[btnExit].Width, 15);
  EXPECT_EQ(look.Buttons[btnMinimize].Height, 14);
  for (int b : {11, 20, 21, 22, 23, 24, 25, 26}) EXPECT_TRUE(look.Buttons[b].Image.Empty()) << b;
}

TEST_F(SkinTest, ArchivesWithMoreThanTenMembersAreShaped) {
  std::vector<ZipMember> members = {{"skin.ini",
                                     "[TransparentColor]\nMainTransparentColor=$00102030\n"
                                     "[ButtonPosition]\nbtnPlay=5,6\n"},
                                    {"Main.bmp", Picture(10, 4)}};
  for (int b = 0; b < 8; ++b) members.push_back({kSkinBitmapNames[b], Picture(60, 20)});
  files.files["/s/ten.zip"] = BuildZip(members);
  EXPECT_EQ(Load("/s/ten.zip").SkinFormat, kStripSkin);

  members.push_back({"play.bmp", Picture(60, 20, std::string("\xFF\x00\xFF", 3))});
  files.files["/s/eleven.zip"] = BuildZip(members);
  const TSkinLook look = Load("/s/eleven.zip");
  EXPECT_EQ(look.SkinFormat, kShapedSkin);
  EXPECT_EQ(look.Info.ButtonPos[btnPlay], (TSkinPoint{5, 6}));
  // The whole picture has the transparent colour: nothing of the window is left.
  EXPECT_EQ(look.Outline, std::vector<TRect>{});
  EXPECT_EQ(look.Buttons[btnPlay].Width, 20);
  EXPECT_TRUE(look.Buttons[btnPlay].SkinMode);
  EXPECT_EQ(look.Buttons[btnPlay].Image.Argb.front(), 0u);  // magenta is the button colour
  EXPECT_NE(look.Buttons[btnSel_Tuner].Image.Argb.front(), 0u);

  // A directory offset past the end: the scan finds the members all the same. Without an end
  // record nothing is listed, which is a strip skin of defaults.
  std::string damaged = BuildZip(members);
  damaged[damaged.size() - 3] = '\x7F';
  files.files["/s/damaged.zip"] = damaged;
  EXPECT_EQ(Load("/s/damaged.zip").SkinFormat, kShapedSkin);
  // An end record cut short is a damaged archive too, never an empty one.
  damaged = BuildZip(members);
  damaged.resize(damaged.size() - 10);
  files.files["/s/damaged.zip"] = damaged;
  EXPECT_EQ(Load("/s/damaged.zip").SkinFormat, kShapedSkin);
  damaged.resize(damaged.size() - 12);
  files.files["/s/damaged.zip"] = damaged;
  EXPECT_EQ(Load("/s/damaged.zip").SkinFormat, kStripSkin);
}

TEST_F(SkinTest, UnusableSkinsAreErrors) {
  files.files["/s/x.zip"] = BuildZip({{"x.ini", ""}, {"x0.bmp", "not a picture"}});
  EXPECT_THROW(Load("/s/x.zip"), std::runtime_error);
  EXPECT_THROW(Load("/s/missing.ini"), ESkinError);
}

TEST(SkinLayoutTest, VolumeBarArithmetic) {
  TExInfo ex;
  ex.VolBarRect = {100, 50, 240, 60};
  const struct {
    int x, y;
    std::optional<int> volume;
  } presses[] = {{170, 55, 35}, {100, 50, 0},  {239, 59, 70},
                 {240, 55, {}}, {170, 60, {}}, {99, 55, {}}};
  for (const auto& p : presses)
    EXPECT_EQ(VolumeAtPress(ex, p.x, p.y, 70), p.volume) << p.x << "," << p.y;
  ex.Bar = true;
  EXPECT_EQ(VolumeAtPress(ex, 170, 55, 70), std::nullopt);

  // Halves go to even: 1 × 70 / 4 = 17.5 → 18, 3 × 70 / 4 = 52.5 → 52.
  EXPECT_EQ(VolumeFromOffset(1, 4, 70), 18);
  EXPECT_EQ(VolumeFromOffset(3, 4, 70), 52);
  EXPECT_EQ(VolumeFromOffset(5, 0, 70), 0);

  // Every second move counts; beyond the bar's end it is the maximum.
  ex.Bar = false;
  TKnobDrag drag;
  EXPECT_EQ(drag.Move(ex, {200, 45}, true, 500, 0, 70), std::nullopt);
  EXPECT_EQ(drag.Move(ex, {200, 45}, true, 500, 0, 70), 70);
  EXPECT_EQ(drag.Move(ex, {200, 45}, false, 0, 0, 70), std::nullopt);
  EXPECT_EQ(drag.Move(ex, {200, 45}, true, -500, 0, 70), std::nullopt);
  EXPECT_EQ(drag.Move(ex, {200, 45}, true, -500, 0, 70), 0);
  ex.VolBarRect = {100, 50, 100, 60};
  drag.Move(ex, {100, 45}, true, 9, 0, 70);
  EXPECT_EQ(drag.Move(ex, {100, 45}, true, 9, 0, 70), 0);
}

TEST(SkinLayoutTest, TheKnobSlidesAlongTheBar) {
  TSkinLook look;
  look.Info.ButtonVisible[btnVolseek] = true;
  look.Buttons[btnVolseek].Width = 9;
  look.Buttons[btnVolseek].Height = 7;
  look.Info.ExInfo.VolBarRect = {100, 50, 240, 190};
  // Horizontal: left + round(140 × v / 70) − round(9 / 2) (4.5 → 4).
  EXPECT_EQ(PlaceVolumeKnob(look, {0, 33}, 35, 70), (TSkinPoint{166, 33}));
  EXPECT_EQ(PlaceVolumeKnob(look, {0, 33}, 70, 70), (TSkinPoint{236, 33}));
  // Vertical: bottom − round(140 × v / 70) − 7 div 2.
  look.Info.ExInfo.Kind = true;
  EXPECT_EQ(PlaceVolumeKnob(look, {12, 0}, 0, 70), (TSkinPoint{12, 187}));
  EXPECT_EQ(PlaceVolumeKnob(look, {12, 0}, 70, 70), (TSkinPoint{12, 47}));
  look.Info.ButtonVisible[btnVolseek] = false;
  EXPECT_EQ(PlaceVolumeKnob(look, {12, 0}, 70, 70), (TSkinPoint{12, 0}));
}

TEST(SkinLayoutTest, FramesAndScrollBarsByFormat) {
  TSkinLook look;
  look.Info.ExInfo.VolBarRect = {4, 5, 0, 0};
  TSkinLayout layout = ApplySkinLayout(look);
  EXPECT_FALSE(layout.Framed);
  EXPECT_TRUE(layout.ScrollBarVisible);
  EXPECT_TRUE(layout.ScrollBarKeepsHeight);
  look.Info.ExInfo.Border = true;
  EXPECT_TRUE(ApplySkinLayout(look).Framed);
  look.SkinFormat = kShapedSkin;
  layout = ApplySkinLayout(look);
  EXPECT_FALSE(layout.Framed);
  EXPECT_FALSE(layout.ScrollBarVisible);
  look.Info.ExInfo.Bar = look.Info.ExInfo.Kind = true;
  EXPECT_EQ(ApplySkinLayout(look).ScrollBarVertical, true);
  // Font slot 8 belongs to the frequency unit's label.
  look.Info.Fonts[8].Name = "Unit";
  EXPECT_EQ(ApplySkinLayout(look).LabelFont[slotHz].Name, "Unit");
}

// The simulated component's mark goes in the unit's column on the tone's row, in the mute
// label's font and colour (here the default skin's places and mute font).
TEST(SkinLayoutTest, TheSimulatorMarkSitsInTheUnitColumnOnTheToneRow) {
  TSkinLook look;
  look.Info.DisplayPos[slotHz] = {270, 44};
  look.Info.DisplayPos[slotTone] = {232, 78};
  look.Info.Fonts[4] = {"Arial", 8, 0x005A8CFF, 1};  // font slot 4: the mute label's
  const TSkinLayout layout = ApplySkinLayout(look);
  EXPECT_EQ(layout.SimMarkPos, (TSkinPoint{270, 78}));
  EXPECT_EQ(layout.SimMarkFont.Name, "Arial");
  EXPECT_EQ(layout.SimMarkFont.Size, 8);
  EXPECT_EQ(layout.SimMarkFont.Color, 0x005A8CFFu);
}

}  // namespace
}  // namespace zr4::test
