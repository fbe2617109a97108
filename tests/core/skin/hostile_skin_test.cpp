// Skins built to cost as much as a few kilobytes can: each is refused with a message, or loads
// within the skin's budget of 3,145,728 pixels and 16,777,216 bytes of picture files, an INI
// text of at most 65,536 bytes and an outline of at most 100,000 rectangles.
#include <gtest/gtest.h>

#include "core/skin/bmp_builder.h"
#include "core/skin/region.h"
#include "core/skin/skin.h"
#include "fakes/fake_folder_list.h"

namespace zr4::test {
namespace {

constexpr std::uint32_t kBlack = 0x000000, kMagenta = 0xFF00FF;  // palette entries

// An RLE8 picture of palette index 0, written row by row with runs of up to 255 pixels.
std::string RlePicture(int width, int height) {
  std::string row;
  for (int left = width; left > 0; left -= 255) row += {static_cast<char>(std::min(left, 255)), 0};
  row += std::string(2, '\0');  // end of line
  std::string data;
  for (int y = 0; y < height; ++y) data += row;
  return BuildBmp({8, width, height, {data}, {kBlack, kMagenta}, 1});
}

// A 1-bit picture whose every second pixel is magenta: one outline rectangle per two pixels.
std::string Checkered(int width, int height) {
  const std::string row(static_cast<std::size_t>((width + 7) / 8), '\x55');
  return BuildBmp({1, width, height, std::vector<std::string>(height, row), {kBlack, kMagenta}});
}

// A shaped skin: skin.ini with magenta cut away, the pictures, and text members up to the 11
// members that make an archive shaped.
std::string ShapedSkin(std::vector<ZipMember> pictures) {
  std::vector<ZipMember> members = {
      {"skin.ini", "[TransparentColor]\nMainTransparentColor=$00FF00FF\n"}};
  for (ZipMember& p : pictures) members.push_back(std::move(p));
  for (int k = 0; members.size() < 11; ++k) members.push_back({"note" + std::to_string(k), ""});
  return BuildZip(members);
}

class HostileSkinTest : public ::testing::Test {
 protected:
  TSkinLook Load(const std::string& path) {
    TSkin skin({files, codec, folders}, TSkinLook{});
    skin.LoadSkin(path);
    return skin.Look();
  }
  // The message of the load's error; empty when it loaded.
  std::string Refusal(const std::string& path) {
    try {
      Load(path);
    } catch (const std::runtime_error& e) {
      return e.what();
    }
    return {};
  }
  FakeFileStore files;
  FakeTextCodec codec;
  FakeFolderList folders{files};
};

TEST(HostileBitmapTest, AnRlePictureIsNoLargerThanItsDataCanFill) {
  // Two bytes write at most 255 pixels: four bytes fill a row of 510, not one of 511.
  const std::string twoRuns("\xFF\x01\xFF\x01", 4), twoRuns4("\xFF\x11\xFF\x11", 4);
  const TBitmap filled = DecodeBmp(BuildBmp({8, 510, 1, {twoRuns}, {kBlack, kMagenta}, 1}));
  EXPECT_EQ(filled.IndexAt(509, 0), 1u);
  EXPECT_EQ(DecodeBmp(BuildBmp({4, 510, 1, {twoRuns4}, {kBlack, kMagenta}, 2})).IndexAt(509, 0),
            1u);
  for (const std::string& bytes : {BuildBmp({8, 511, 1, {twoRuns}, {kBlack, kMagenta}, 1}),
                                   BuildBmp({4, 511, 1, {twoRuns4}, {kBlack, kMagenta}, 2}),
                                   // 8 Mpx of nothing but the end-of-picture mark
                                   BuildBmp({8, 4096, 2048, {std::string("\0\1", 2)}, {0}, 1})}) {
    try {
      DecodeBmp(bytes);
      ADD_FAILURE() << "decoded";
    } catch (const EBitmapError& e) {
      EXPECT_STREQ(e.what(), kBitmapNotValid);
    }
  }
}

TEST_F(HostileSkinTest, PicturesOfTwoBytesAreRefused) {
  // 28 pictures of 8 Mpx pass the budget with the first; of 3 Mpx each, the first cannot be
  // filled by its data.
  for (const int height : {2048, 768}) {
    const std::string empty = BuildBmp({8, 4096, height, {std::string("\0\1", 2)}, {0}, 1});
    std::vector<ZipMember> members = {{"main.bmp", empty}};
    for (int b = 0; b < kSkinButtonCount; ++b) members.push_back({kSkinBitmapNames[b], empty});
    files.files["/s/bomb.zip"] = BuildZip(members);
    EXPECT_EQ(Refusal("/s/bomb.zip"),
              height == 2048 ? "The skin is too large for any screen: its pictures together pass "
                               "3145728 pixels (at main.bmp, 4096 x 2048)"
                             : "Bitmap image is not valid");
  }
}

TEST_F(HostileSkinTest, AllPicturesOfASkinShareOneBudgetOfPixels) {
  // 2048 x 768 twice is the whole budget of 3,145,728 pixels.
  const std::string half = RlePicture(2048, 768);
  files.files["/s/full.zip"] = ShapedSkin({{"main.bmp", half, true}, {"play.bmp", half, true}});
  const TSkinLook look = Load("/s/full.zip");
  EXPECT_EQ(look.Main.Width, 2048);
  EXPECT_EQ(look.Buttons[btnPlay].Height, 768);

  // One row more is refused before anything of it is decoded.
  files.files["/s/over.zip"] = ShapedSkin({{"main.bmp", RlePicture(2048, 1537), true}});
  EXPECT_EQ(Refusal("/s/over.zip"),
            "The skin is too large for any screen: its pictures together pass 3145728 pixels "
            "(at main.bmp, 2048 x 1537)");

  // The 2x twins count like any picture: a face of a million pixels has no room for its twin.
  files.files["/s/twin.zip"] = ShapedSkin(
      {{"main.bmp", RlePicture(2048, 512), true}, {"main@2x.bmp", RlePicture(4096, 1024), true}});
  EXPECT_EQ(Refusal("/s/twin.zip"),
            "The skin is too large for any screen: its pictures together pass 3145728 pixels "
            "(at main@2x.bmp, 4096 x 1024)");

  // A picture larger than any may be says so by the same message.
  files.files["/s/huge.zip"] = ShapedSkin({{"main.bmp", RlePicture(4000, 3000), true}});
  EXPECT_EQ(Refusal("/s/huge.zip"),
            "The skin is too large for any screen: its pictures together pass 3145728 pixels "
            "(at main.bmp, 4000 x 3000)");

  // Strip skins and folder skins alike, counting every picture.
  files.files["/s/x.zip"] =
      BuildZip({{"x0.bmp", RlePicture(2048, 1536), true}, {"x1.bmp", RlePicture(13, 1)}});
  EXPECT_EQ(Refusal("/s/x.zip"),
            "The skin is too large for any screen: its pictures together pass 3145728 pixels "
            "(at x1.bmp, 13 x 1)");
  files.files["/f/skin.ini"] = "[TransparentColor]\nMainTransparentColor=$00FF00FF\n";
  files.files["/f/main.bmp"] = RlePicture(2048, 1536);
  files.files["/f/mini.bmp"] = RlePicture(3, 1);
  EXPECT_EQ(Refusal("/f/skin.ini"),
            "The skin is too large for any screen: its pictures together pass 3145728 pixels "
            "(at mini.bmp, 3 x 1)");
}

TEST_F(HostileSkinTest, PictureFilesAreRefusedBeforeTheyAreExtracted) {
  // 8 MiB and 8 MiB + 1 byte pass 16,777,216 bytes together; the second member's data is
  // never read (it is one byte, and reading it would fail).
  std::string main = SolidBmp(1, 1, std::string(3, '\0'));
  main.resize(8388608, '\0');
  files.files["/s/big.zip"] =
      ShapedSkin({{"main.bmp", main, true}, {"play.bmp", "x", false, 0, 8388609}});
  EXPECT_EQ(Refusal("/s/big.zip"),
            "The skin is too large: its picture files together pass 16777216 bytes (at "
            "play.bmp, 8388609 bytes)");
}

TEST_F(HostileSkinTest, AnIniTextOfMoreThan65536BytesIsRefusedBeforeItIsRead) {
  const std::string most = "[Text]\nAuthor=a\n" + std::string(65536 - 16, ';');
  files.files["/s/most.zip"] = BuildZip({{"most.ini", most}, {"most0.bmp", RlePicture(3, 1)}});
  EXPECT_EQ(Load("/s/most.zip").Info.ExInfo.Author, "a");
  // Declared one byte longer; the one byte behind it is never read.
  std::vector<ZipMember> members = {{"skin.ini", "x", false, 0, 65537}};
  for (int k = 0; k < 10; ++k) members.push_back({"note" + std::to_string(k), ""});
  files.files["/s/long.zip"] = BuildZip(members);
  EXPECT_EQ(Refusal("/s/long.zip"), "The skin's skin.ini is larger than 65536 bytes");
  files.files["/f/long.ini"] = most + ";";
  EXPECT_EQ(Refusal("/f/long.ini"), "The skin's long.ini is larger than 65536 bytes");
}

TEST_F(HostileSkinTest, AnOutlineOfMoreThan100000RectanglesIsRefused) {
  // 100 rectangles a row: 1,000 rows are the most an outline may have.
  TRegion region;
  region.MakeRgnFromBitmap(DecodeBmp(Checkered(200, 1000)), 0x00FF00FF);
  EXPECT_EQ(region.Rects().size(), 100000u);
  try {
    region.MakeRgnFromBitmap(DecodeBmp(Checkered(200, 1001)), 0x00FF00FF);
    ADD_FAILURE() << "outlined";
  } catch (const ERgnError& e) {
    EXPECT_STREQ(e.what(),
                 "The skin's window outline is too complex: it needs more than 100000 rectangles");
  }
  EXPECT_EQ(region.Rects().size(), 100000u);  // the outline before stays

  // A checkered face within the pixel budget is refused as a skin, too.
  files.files["/s/checkered.zip"] = ShapedSkin({{"main.bmp", Checkered(2048, 1536), true}});
  EXPECT_EQ(Refusal("/s/checkered.zip"),
            "The skin's window outline is too complex: it needs more than 100000 rectangles");
}

}  // namespace
}  // namespace zr4::test
