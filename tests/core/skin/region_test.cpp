#include "core/skin/region.h"

#include <gtest/gtest.h>

#include "core/skin/bmp_builder.h"

namespace zr4::test {
namespace {

constexpr std::uint32_t kMagenta = 0x00FF00FF;  // $00BBGGRR

std::vector<TRect> Outline(const std::string& bmp, std::uint32_t colour = kMagenta) {
  TRegion region;
  region.MakeRgnFromBitmap(DecodeBmp(bmp), colour);
  return region.Rects();
}

// The outline as its byte form carries it: written, then read back.
std::vector<TRect> OutlineThroughStream(const std::string& bmp, std::uint32_t colour = kMagenta) {
  const std::string stream = MakeRegionStream(DecodeBmp(bmp), colour);
  TRegion region;
  std::size_t pos = 0;
  region.LoadFromStream(stream, pos);
  EXPECT_EQ(pos, stream.size());
  return region.Rects();
}

struct NamedLayout {
  const char* name;
  BmpLayout layout;
};

// Three pixels in a row, the middle one magenta, in every stored format.
std::vector<NamedLayout> BlackMagentaBlack() {
  const std::uint32_t palette[] = {0x000000, 0xFF00FF};  // black, magenta
  return {
      {"1 bit", {1, 3, 1, {"\x40"}, {palette[0], palette[1]}}},
      {"4 bit", {4, 3, 1, {std::string("\x01\x00", 2)}, {palette[0], palette[1]}}},
      {"8 bit", {8, 3, 1, {std::string("\x00\x01\x00", 3)}, {palette[0], palette[1]}}},
      {"15 bit", {16, 3, 1, {std::string("\x00\x00\x1F\x7C\x00\x00", 6)}}},
      {"15 bit by mask",
       {16, 3, 1, {std::string("\x00\x00\x1F\x7C\x00\x00", 6)}, {}, 3, {0x7C00, 0x3E0, 0x1F}}},
      {"16 bit",
       {16, 3, 1, {std::string("\x00\x00\x1F\xF8\x00\x00", 6)}, {}, 3, {0xF800, 0x7E0, 0x1F}}},
      {"24 bit", {24, 3, 1, {std::string("\x00\x00\x00\xFF\x00\xFF\x00\x00\x00", 9)}}},
      {"32 bit, fourth byte ignored",
       {32, 3, 1, {std::string("\0\0\0\0\xFF\0\xFF\x7F\0\0\0\0", 12)}}},
      {"RLE8",
       {8,
        3,
        1,
        {std::string("\x01\x00\x01\x01\x01\x00\x00\x01", 8)},
        {palette[0], palette[1]},
        1}},
      {"RLE4", {4, 3, 1, {std::string("\x03\x01\x00\x01", 4)}, {palette[0], palette[1]}, 2}},
  };
}

TEST(RegionTest, EachPixelFormatMatchesTheTransparentColour) {
  for (const auto& c : BlackMagentaBlack()) {
    EXPECT_EQ(Outline(BuildBmp(c.layout)), (std::vector<TRect>{{0, 0, 1, 1}, {2, 0, 3, 1}}))
        << c.name;
    // The window takes the runs directly; the byte form carries the same ones.
    EXPECT_EQ(OutlineThroughStream(BuildBmp(c.layout)),
              (std::vector<TRect>{{0, 0, 1, 1}, {2, 0, 3, 1}}))
        << c.name;
  }
  // The 16-bit word of magenta is 0xF81F; with 5-5-5 bits it is 0x7C1F (and 0xF81F is not it).
  EXPECT_EQ(Outline(BuildBmp({16, 1, 1, {std::string("\x1F\xF8", 2)}})).size(), 1u);
}

TEST(BitmapTest, EachPixelFormatDrawsOpaqueOrCutAway) {
  for (const auto& c : BlackMagentaBlack()) {
    const TBitmap bmp = DecodeBmp(BuildBmp(c.layout));
    EXPECT_EQ(ToImage(bmp).Argb, (std::vector<std::uint32_t>{0xFF000000, 0xFFFF00FF, 0xFF000000}))
        << c.name;
    EXPECT_EQ(ToImage(bmp, kMagenta).Argb, (std::vector<std::uint32_t>{0xFF000000, 0, 0xFF000000}))
        << c.name;
  }
  // Rows of 1- and 4-bit pictures hold fewer bytes than pixels: 40 pixels in 5 and 20 bytes.
  const std::uint32_t blackMagenta[] = {0x000000, 0xFF00FF};
  for (const BmpLayout& layout :
       {BmpLayout{1, 40, 1, {std::string(5, '\xFF')}, {blackMagenta[0], blackMagenta[1]}},
        BmpLayout{4, 40, 1, {std::string(20, '\x11')}, {blackMagenta[0], blackMagenta[1]}}}) {
    const TBitmap bmp = DecodeBmp(BuildBmp(layout));
    EXPECT_EQ(ToImage(bmp).Argb, std::vector<std::uint32_t>(40, 0xFFFF00FF)) << layout.bits;
    EXPECT_EQ(ToImage(bmp, kMagenta).Argb, std::vector<std::uint32_t>(40, 0)) << layout.bits;
  }
  // An index past the palette draws black and is never cut away.
  const TBitmap outside = DecodeBmp(BuildBmp({8, 1, 1, {"\x05"}, {0xFF00FF}}));
  EXPECT_EQ(ToImage(outside, 0).Argb, std::vector<std::uint32_t>{0xFF000000});
}

// Red and blue differ here, so a picture drawn or cut with them swapped shows.
TEST(BitmapTest, DeepPicturesDrawRedGreenBlueInTheirPlaces) {
  // Stored blue 0x56, green 0x34, red 0x12; the colour $00563412 names that pixel.
  const std::string bgr24("\x56\x34\x12\x12\x34\x56\x00\x00\x00", 9);
  const std::string bgr32("\x56\x34\x12\xFF\x12\x34\x56\x00\x00\x00\x00\x80", 12);
  for (const BmpLayout& layout : {BmpLayout{24, 3, 1, {bgr24}}, BmpLayout{32, 3, 1, {bgr32}}}) {
    const TBitmap bmp = DecodeBmp(BuildBmp(layout));
    EXPECT_EQ(ToImage(bmp).Argb, (std::vector<std::uint32_t>{0xFF123456, 0xFF563412, 0xFF000000}))
        << layout.bits;
    EXPECT_EQ(ToImage(bmp, 0x00563412).Argb,
              (std::vector<std::uint32_t>{0, 0xFF563412, 0xFF000000}))
        << layout.bits;
    // A value above $00FFFFFF is no colour of a pixel: nothing is cut.
    EXPECT_EQ(ToImage(bmp, 0xFF563412).Argb,
              (std::vector<std::uint32_t>{0xFF123456, 0xFF563412, 0xFF000000}))
        << layout.bits;
  }
}

TEST(RegionTest, RowsRunsAndBothRowOrders) {
  const std::string black(3, '\0'), magenta("\xFF\x00\xFF", 3);
  // Rows from the top: all kept; all cut; cut, kept, kept, cut.
  for (const bool topDown : {false, true}) {
    BmpLayout layout{24,
                     4,
                     3,
                     {black + black + black + black, magenta + magenta + magenta + magenta,
                      magenta + black + black + magenta}};
    layout.topDown = topDown;
    EXPECT_EQ(Outline(BuildBmp(layout)), (std::vector<TRect>{{0, 0, 4, 1}, {1, 2, 3, 3}}));
  }
  // A colour with a high byte never matches a 24-bit pixel.
  EXPECT_EQ(Outline(BuildBmp({24, 1, 1, {magenta}}), 0x01FF00FF).size(), 1u);
}

// Wide 32-bit rows are scanned many pixels at a time: runs that end inside such a step, on its
// edges and at the row's end still come out exact, and the fourth byte never counts.
TEST(RegionTest, WideDeepRowsKeepEveryRunEdge) {
  constexpr int kWidth = 70;
  auto row = [](std::initializer_list<std::pair<int, int>> cuts) {
    std::string bytes;
    for (int x = 0; x < kWidth; ++x) {
      bool cut = false;
      for (const auto& [from, to] : cuts) cut = cut || (x >= from && x < to);
      // Kept pixels are dark grey; the fourth byte varies and is ignored either way.
      const char unused = static_cast<char>(x * 7);
      bytes += cut ? std::string{'\xFF', '\x00', '\xFF', unused}
                   : std::string{'\x40', '\x40', '\x40', unused};
    }
    return bytes;
  };
  const std::string bmp = BuildBmp(
      {32,
       kWidth,
       4,
       {row({{17, 35}}), row({{69, 70}}), row({{0, 70}}), row({{0, 16}, {32, 33}, {48, 64}})}});
  EXPECT_EQ(Outline(bmp), (std::vector<TRect>{{0, 0, 17, 1},
                                              {35, 0, 70, 1},
                                              {0, 1, 69, 2},
                                              {16, 3, 32, 4},
                                              {33, 3, 48, 4},
                                              {64, 3, 70, 4}}));
}

TEST(RegionTest, TheStreamIsReadInChunksOf4000) {
  BmpLayout layout{8, 1, 9000, std::vector<std::string>(9000, std::string(1, '\0')), {0}};
  const std::string stream = MakeRegionStream(DecodeBmp(BuildBmp(layout)), kMagenta);
  ASSERT_EQ(stream.size(), 32u + 9000u * 16u);
  EXPECT_EQ(stream.substr(0, 32), std::string("\x20\0\0\0\x01\0\0\0\x28\x23\0\0\0\0\0\0"
                                              "\0\0\0\0\0\0\0\0\x01\0\0\0\x28\x23\0\0",
                                              32));
  std::vector<std::size_t> chunks;
  std::size_t pos = 0;
  ReadRegionStream(stream, pos, [&](std::span<const TRect> c) { chunks.push_back(c.size()); });
  EXPECT_EQ(chunks, (std::vector<std::size_t>{4000, 4000, 1000}));
  EXPECT_EQ(pos, stream.size());

  // A short stream is an error and keeps the region as it was.
  TRegion region;
  region.MakeRgnFromBitmap(DecodeBmp(BuildBmp({24, 1, 1, {std::string(3, '\0')}})), kMagenta);
  pos = 0;
  EXPECT_THROW(region.LoadFromStream(std::string_view(stream).substr(0, 1000), pos), ERgnError);
  EXPECT_EQ(region.Rects().size(), 1u);
}

TEST(RegionTest, RowsWithTheSameRunsMergeIntoBands) {
  // Rows 0-1 whole; rows 2-3 two runs; row 4 empty; row 5 the same two runs; row 6 one of them
  // moved by a pixel.
  const std::vector<TRect> runs = {{0, 0, 4, 1}, {0, 1, 4, 2}, {1, 2, 2, 3}, {3, 2, 4, 3},
                                   {1, 3, 2, 4}, {3, 3, 4, 4}, {1, 5, 2, 6}, {3, 5, 4, 6},
                                   {1, 6, 2, 7}, {2, 6, 4, 7}};
  EXPECT_EQ(MergeRowsIntoBands(runs), (std::vector<TRect>{{0, 0, 4, 2},
                                                          {1, 2, 2, 4},
                                                          {3, 2, 4, 4},
                                                          {1, 5, 2, 6},
                                                          {3, 5, 4, 6},
                                                          {1, 6, 2, 7},
                                                          {2, 6, 4, 7}}));
  EXPECT_EQ(MergeRowsIntoBands({}), std::vector<TRect>{});
}

TEST(BitmapTest, DamagedOrOversizedFilesAreErrors) {
  const std::string good = BuildBmp({24, 2, 2, {std::string(6, '\0'), std::string(6, '\0')}});
  const struct {
    const char* name;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"empty", "", kBitmapNotValid},
      {"cut pixels", good.substr(0, good.size() - 4), kBitmapNotValid},
      {"too wide", BuildBmp({24, 20000, 1, {std::string(60000, '\0')}}), kBitmapNotValid},
      {"too many pixels",
       [&] {
         std::string b = good;
         b[20] = b[24] = '\x40';
         return b;
       }(),
       kBitmapNotValid},
      {"odd masks", BuildBmp({16, 1, 1, {"ab"}, {}, 3, {0xF00, 0xF0, 0xF}}),
       kBitmapTypeNotSupported},
      {"no palette", BuildBmp({8, 1, 1, {"a"}}).substr(0, 54),
       "TRegion.MakeRgnFromBitmap: cannot Get Color Table"},
      {"RLE top-down",
       [] {
         BmpLayout s{8, 1, 1, {std::string("\0\1", 2)}, {0}, 1};
         s.topDown = true;
         return BuildBmp(s);
       }(),
       kBitmapNotValid},
  };
  for (const auto& c : cases) {
    try {
      DecodeBmp(c.bytes);
      ADD_FAILURE() << c.name << " decoded";
    } catch (const EBitmapError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.name;
    }
  }
}

}  // namespace
}  // namespace zr4::test
