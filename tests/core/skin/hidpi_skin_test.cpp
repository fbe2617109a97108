// A shaped skin's pictures drawn a second time at twice the size ("main@2x.bmp" beside
// "main.bmp"), for screens at 200 %.
#include <gtest/gtest.h>

#include "core/skin/bmp_builder.h"
#include "core/skin/skin.h"
#include "core/skin/skin_loading.h"

namespace zr4::test {
namespace {

const std::string kMagentaBgr("\xFF\x00\xFF", 3);

std::string Picture(int width, int height, const std::string& bgr = "\x10\x20\x30") {
  return SolidBmp(width, height, bgr);
}

// skin.ini (magenta cut away), the members given, and notes up to the 11 members of a shaped
// skin.
std::string Shaped(std::vector<ZipMember> pictures) {
  std::vector<ZipMember> members = {
      {"skin.ini",
       "[TransparentColor]\nMainTransparentColor=$00FF00FF\nBtnTransparentColor=$00FF00FF\n"}};
  for (ZipMember& p : pictures) members.push_back(std::move(p));
  for (int k = 0; members.size() < 11; ++k) members.push_back({"note" + std::to_string(k), ""});
  return BuildZip(members);
}

class HiDpiSkinTest : public SkinLoadingTest {};

TEST_F(HiDpiSkinTest, TwinsOfTwiceTheSizeComeBesideTheirPicturesAndChangeNothingElse) {
  EXPECT_EQ(HiDpiName("main.bmp"), "main@2x.bmp");
  EXPECT_EQ(HiDpiName("volseek.bmp"), "volseek@2x.bmp");

  const std::vector<ZipMember> plain = {{"main.bmp", Picture(10, 4)},
                                        {"play.bmp", Picture(60, 20, kMagentaBgr)}};
  std::vector<ZipMember> withTwins = plain;
  withTwins.push_back({"MAIN@2x.bmp", Picture(20, 8, "\x40\x50\x60"), true});
  withTwins.push_back({"play@2x.bmp", Picture(120, 40, kMagentaBgr)});
  files.files["/s/plain.zip"] = Shaped(plain);
  files.files["/s/twins.zip"] = Shaped(withTwins);

  const TSkinLook look = Load("/s/twins.zip");
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(look.Main2x.Width, 20);
  EXPECT_EQ(look.Main2x.Height, 8);
  EXPECT_EQ(look.Main2x.Argb.front(), 0xFF605040u);
  EXPECT_EQ(look.Buttons[btnPlay].Image2x.Width, 120);
  // The button colour is cut away in the twin as in its picture.
  EXPECT_EQ(look.Buttons[btnPlay].Image2x.Argb.front(), 0u);
  EXPECT_TRUE(look.Buttons[btnStop].Image2x.Empty());

  // The twins leave the 1x look exactly as a skin without them has it.
  const TSkinLook without = Load("/s/plain.zip");
  EXPECT_TRUE(without.Main2x.Empty());
  EXPECT_EQ(look.Main, without.Main);
  EXPECT_EQ(look.Outline, without.Outline);
  for (int b = 0; b < kSkinButtonCount; ++b) {
    EXPECT_EQ(look.Buttons[b].Image, without.Buttons[b].Image) << b;
    EXPECT_EQ(look.Buttons[b].Width, without.Buttons[b].Width) << b;
    EXPECT_EQ(look.Buttons[b].Height, without.Buttons[b].Height) << b;
  }

  // A folder skin reads them the same way.
  files.files["/f/skin.ini"] = "[TransparentColor]\nMainTransparentColor=$00FF00FF\n";
  files.files["/f/main.bmp"] = Picture(10, 4);
  files.files["/f/main@2x.bmp"] = Picture(20, 8);
  EXPECT_EQ(Load("/f/skin.ini").Main2x.Width, 20);
}

TEST_F(HiDpiSkinTest, ATwinOfAnyOtherSizeOrWithoutItsPictureIsPassedBy) {
  files.files["/s/odd.zip"] = Shaped({{"main.bmp", Picture(10, 4)},
                                      {"main@2x.bmp", Picture(21, 8)},
                                      {"stop@2x.bmp", Picture(60, 20)}});
  const TSkinLook look = Load("/s/odd.zip");
  EXPECT_EQ(look.Main.Width, 10);
  EXPECT_TRUE(look.Main2x.Empty());
  EXPECT_TRUE(look.Buttons[btnStop].Image.Empty());
  EXPECT_TRUE(look.Buttons[btnStop].Image2x.Empty());
  EXPECT_EQ(warnings, std::vector<std::string>{"main@2x.bmp is 21 x 8, not twice main.bmp "
                                               "(10 x 4): main.bmp is enlarged instead"});
}

// A twin that cannot be decoded (its pixels cut short, or a side over 16,384) is passed by the
// same way: the skin loads at 200 % as it does at 100 %.
TEST_F(HiDpiSkinTest, ATwinThatCannotBeUsedIsPassedByAndTheSkinLoads) {
  const std::string whole = Picture(20, 8);
  const std::string cutShort = whole.substr(0, whole.size() - 30);
  std::string tooWide = Picture(120, 40);
  tooWide[18] = '\x01';  // width 0x4001 = 16,385
  tooWide[19] = '\x40';
  tooWide[20] = tooWide[21] = '\0';
  files.files["/s/bad.zip"] = Shaped({{"main.bmp", Picture(10, 4)},
                                      {"main@2x.bmp", cutShort},
                                      {"play.bmp", Picture(60, 20)},
                                      {"play@2x.bmp", tooWide}});
  const TSkinLook look = Load("/s/bad.zip");
  EXPECT_EQ(look.Main.Width, 10);
  EXPECT_TRUE(look.Main2x.Empty());
  EXPECT_EQ(look.Buttons[btnPlay].Image.Width, 60);
  EXPECT_TRUE(look.Buttons[btnPlay].Image2x.Empty());
  EXPECT_EQ(warnings, (std::vector<std::string>{
                          "main@2x.bmp cannot be used (Bitmap image is not valid): main.bmp is "
                          "enlarged instead",
                          "play@2x.bmp cannot be used (Bitmap image is not valid): play.bmp is "
                          "enlarged instead"}));

  files.files["/f/skin.ini"] = "[TransparentColor]\nMainTransparentColor=$00FF00FF\n";
  files.files["/f/main.bmp"] = Picture(10, 4);
  files.files["/f/main@2x.bmp"] = "BM not a picture";
  const TSkinLook folder = Load("/f/skin.ini");
  EXPECT_EQ(folder.Main.Width, 10);
  EXPECT_TRUE(folder.Main2x.Empty());
  EXPECT_EQ(warnings, std::vector<std::string>{"main@2x.bmp cannot be used (Bitmap image is not "
                                               "valid): main.bmp is enlarged instead"});
}

// The window keeps the 1x outline; where the 2x face is cut (transparent colour) inside it, as a
// corner rounded more finely is, the 1x face's pixel shows rather than the colour.
TEST_F(HiDpiSkinTest, InsideTheOutlineTheFaceTwinShowsNoTransparentColour) {
  BmpLayout face{.width = 2, .height = 1, .rows = {std::string("\xFF\x00\xFF\x10\x20\x30", 6)}};
  BmpLayout twin{.width = 4, .height = 2};
  twin.rows.assign(2, std::string("\xFF\x00\xFF\xFF\x00\xFF\xFF\x00\xFF\x40\x50\x60", 12));
  files.files["/s/cut.zip"] =
      Shaped({{"main.bmp", BuildBmp(face)}, {"main@2x.bmp", BuildBmp(twin)}});
  const TSkinLook look = Load("/s/cut.zip");
  EXPECT_EQ(look.Outline, (std::vector<TRect>{{1, 0, 2, 1}}));
  // Row by row: the cut 1x pixel (outside the outline), then the kept one whose twin pixels are
  // cut but one.
  const std::vector<std::uint32_t> expected = {0xFFFF00FFu, 0xFFFF00FFu, 0xFF302010u, 0xFF605040u,
                                               0xFFFF00FFu, 0xFFFF00FFu, 0xFF302010u, 0xFF605040u};
  EXPECT_EQ(look.Main2x.Argb, expected);
}

// Without a screen at 200 % the twins are not read at all: no time, no budget, no warning.
TEST_F(HiDpiSkinTest, WithoutAScreenAt2xTheTwinsAreNotRead) {
  files.files["/s/twins.zip"] = Shaped({{"main.bmp", Picture(10, 4)},
                                        {"main@2x.bmp", Picture(21, 8)},
                                        {"play.bmp", Picture(60, 20)},
                                        {"play@2x.bmp", Picture(120, 40)}});
  TSkin skin({files, codec, folders, false}, TSkinLook{});
  skin.LoadSkin("/s/twins.zip");
  EXPECT_TRUE(skin.Warnings().empty());
  EXPECT_EQ(skin.Look().Main.Width, 10);
  EXPECT_TRUE(skin.Look().Main2x.Empty());
  EXPECT_TRUE(skin.Look().Buttons[btnPlay].Image2x.Empty());
}

TEST_F(HiDpiSkinTest, APictureReplacedWithoutATwinTakesTheOldTwinAlong) {
  files.files["/s/twins.zip"] = Shaped({{"main.bmp", Picture(10, 4)},
                                        {"main@2x.bmp", Picture(20, 8)},
                                        {"play.bmp", Picture(60, 20)},
                                        {"play@2x.bmp", Picture(120, 40)}});
  const TSkinLook twins = Load("/s/twins.zip");
  ASSERT_FALSE(twins.Main2x.Empty());

  // A shaped skin with its own pictures and no twins: the old twins would show another face.
  files.files["/s/plain.zip"] = Shaped({{"main.bmp", Picture(12, 4)}});
  const TSkinLook shaped = Load("/s/plain.zip", twins);
  EXPECT_TRUE(shaped.Main2x.Empty());
  // A picture the new skin does not supply stays, and its twin with it.
  EXPECT_EQ(shaped.Buttons[btnPlay].Image2x.Width, 120);

  // A strip skin replaces the face and the transport glyphs.
  files.files["/s/x.zip"] = BuildZip({{"x0.bmp", Picture(30, 20)}, {"x1.bmp", Picture(52, 5)}});
  const TSkinLook strip = Load("/s/x.zip", twins);
  EXPECT_TRUE(strip.Main2x.Empty());
  EXPECT_TRUE(strip.Buttons[btnPlay].Image2x.Empty());
}

}  // namespace
}  // namespace zr4::test
