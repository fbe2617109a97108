#include "core/skin/skin_ini.h"

#include <gtest/gtest.h>

namespace zr4::test {
namespace {

TSkinInfo Read(const std::string& text, std::vector<std::string>& warnings,
               bool* shaped = nullptr) {
  TSkinInfo info;
  const bool result = ReadSkinIni(info, text, "C:/skins/x.ini", warnings);
  if (shaped) *shaped = result;
  return info;
}

TEST(SkinIniTest, ValuesNumbersAndColours) {
  EXPECT_EQ(ParseSkinInteger("$1F"), 31);
  EXPECT_EQ(ParseSkinInteger("0x10"), 16);
  EXPECT_EQ(ParseSkinInteger("-7"), -7);
  EXPECT_EQ(ParseSkinInteger("12px"), std::nullopt);
  EXPECT_EQ(ParseSkinInteger(" $FFFFFFFF\t"), -1);
  EXPECT_EQ(ParseSkinColor("clFuchsia"), 0xFF00FFu);
  EXPECT_EQ(ParseSkinColor("CLRED"), 0x0000FFu);
  EXPECT_EQ(ParseSkinColor("$00FF00FF"), 0xFF00FFu);
  EXPECT_EQ(ParseSkinColor("16711680"), 0xFF0000u);
  EXPECT_EQ(ParseSkinColor("purpleish"), std::nullopt);
}

TEST(SkinIniTest, AnEmptyTextGivesTheDefaults) {
  std::vector<std::string> warnings;
  bool shaped = true;
  const TSkinInfo info = Read("", warnings, &shaped);
  EXPECT_FALSE(shaped);
  EXPECT_TRUE(warnings.empty());
  // Shown: the eight labels with keys and the buttons but random, minimise, exit, knob, volume
  // up and down, mode and about.
  const bool labels[] = {true, true, true, true, false, false, true, true, true, true, false};
  for (int s = 0; s < kDisplaySlotCount; ++s) EXPECT_EQ(info.DisplayVisible[s], labels[s]) << s;
  for (int b = 0; b < kSkinButtonCount; ++b)
    EXPECT_EQ(info.ButtonVisible[b], b < 20 && b != 11) << b;
  EXPECT_EQ(info.ExInfo.VolBarRect, (TRect{0, 0, 0, 12}));
  EXPECT_EQ(info.MainTransparentColor, 0u);
  EXPECT_EQ(info.Fonts[10], TSkinFont{});
}

TEST(SkinIniTest, SectionsAndKeys) {
  std::vector<std::string> warnings;
  bool shaped = false;
  const TSkinInfo info = Read(
      "[DisplayPosition]\nInputmodePos=12,34\nradiostationnamepos=$10, 2\n"
      "[ButtonPosition]\nbtnPlay=100,50\nbtnSel_CD=7,8\nVolBarPos=5,6\nVolBarWidthHeight=40,0\n"
      "[Visible]\nbtnSel_Cd=0\nbtnAbout=1\nMute=0\nVolume=x\nBorder=1\n"
      "[Text]\nAuthor=誰か\n"
      "[TransparentColor]\nMainTransparentColor=clLime\n",
      warnings, &shaped);
  EXPECT_TRUE(shaped);
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(info.DisplayPos[slotInput], (TSkinPoint{12, 34}));
  EXPECT_EQ(info.DisplayPos[slotRadioName], (TSkinPoint{16, 2}));
  EXPECT_EQ(info.ButtonPos[btnPlay], (TSkinPoint{100, 50}));
  EXPECT_EQ(info.ButtonPos[btnSel_CD], (TSkinPoint{7, 8}));
  EXPECT_EQ(info.ExInfo.VolBarRect, (TRect{5, 6, 45, 16}));  // a height of 0 becomes 10
  EXPECT_FALSE(info.ButtonVisible[btnSel_CD]);
  EXPECT_TRUE(info.ButtonVisible[btnAbout]);
  EXPECT_FALSE(info.DisplayVisible[slotMute]);
  EXPECT_TRUE(info.DisplayVisible[slotVol]);  // not a number: the default
  EXPECT_TRUE(info.ExInfo.Border);
  EXPECT_EQ(info.ExInfo.Author, "誰か");
  EXPECT_EQ(info.MainTransparentColor, 0x00FF00u);
  EXPECT_EQ(info.BtnTransparentColor, 0xFF00FFu);
}

TEST(SkinIniTest, ShortValuesEndTheirBlock) {
  std::vector<std::string> warnings;
  const TSkinInfo info = Read(
      "[DisplayPosition]\nInputmodePos=1,2\nVolumePos=3\nVolstrPos=5,6\n"
      "[ButtonPosition]\nbtnPrevious=9,9\nbtnRewind=4\nbtnPlay=8,8\n"
      "[VolumeBar]\nVolBarRect=1,2,3\nKind=1\n",
      warnings);
  EXPECT_EQ(warnings, std::vector<std::string>{"Error  [DisplayPosition] C:/skins/x.ini"});
  EXPECT_EQ(info.DisplayPos[slotInput], (TSkinPoint{1, 2}));
  EXPECT_EQ(info.DisplayPos[slotVolStr], (TSkinPoint{0, 0}));
  EXPECT_EQ(info.ButtonPos[btnPrevious], (TSkinPoint{9, 9}));
  EXPECT_EQ(info.ButtonPos[btnPlay], (TSkinPoint{0, 0}));
  EXPECT_FALSE(info.ExInfo.Kind);

  const TSkinInfo bar = Read("[VolumeBar]\nVolBarRect=10,20,110,30\nKind=1\nBar=0x1\n", warnings);
  EXPECT_EQ(bar.ExInfo.VolBarRect, (TRect{10, 20, 110, 30}));
  EXPECT_TRUE(bar.ExInfo.Kind);
  EXPECT_TRUE(bar.ExInfo.Bar);
}

TEST(SkinIniTest, FontsInFileOrder) {
  std::string ten = "[Font]\n";
  for (int k = 0; k < 10; ++k)
    ten += "f" + std::to_string(k) + "=Face" + std::to_string(k) + ",1" + std::to_string(k) +
           ",clRed,1\n";
  std::vector<std::string> warnings;
  TSkinInfo info = Read(ten, warnings);
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(info.Fonts[0], (TSkinFont{"Face0", 10, 0x0000FF, kFontBold}));
  EXPECT_EQ(info.Fonts[9], (TSkinFont{"Face9", 19, 0x0000FF, kFontBold}));
  EXPECT_EQ(info.Fonts[10], (TSkinFont{"MS UI Gothic", 9, 0, 0}));

  // Three entries set three slots, then the block stops with its message.
  info = Read("[Font]\na=A,x,$00FF0000\nb=B,12,clBlue,3\nc=C,7,0,junk\n", warnings);
  EXPECT_EQ(warnings, std::vector<std::string>{"Error  [Font] C:/skins/x.ini"});
  EXPECT_EQ(info.Fonts[0], (TSkinFont{"A", 9, 0xFF0000, 0}));
  EXPECT_EQ(info.Fonts[1], (TSkinFont{"B", 12, 0xFF0000, kFontBold | kFontItalic}));
  EXPECT_EQ(info.Fonts[2], (TSkinFont{"C", 7, 0, 0}));
  EXPECT_EQ(info.Fonts[3], TSkinFont{});

  // A face and a size only: field 3 reads as the face name, which is no colour.
  warnings.clear();
  info = Read("[Font]\na=Arial,10\n", warnings);
  EXPECT_EQ(warnings.size(), 1u);
}

TEST(SkinIniTest, AnUnreadableTransparentColourIsAnError) {
  std::vector<std::string> warnings;
  EXPECT_THROW(Read("[TransparentColor]\nBtnTransparentColor=pinkish\n", warnings), ESkinError);
}

}  // namespace
}  // namespace zr4::test
