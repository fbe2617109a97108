// The built-in icon: a dark rounded panel with a light blue frame and "ZR" in light blue, in
// each size the window, the taskbar and the tray use. On Linux it is compiled in as pictures;
// on Windows it is the .exe's icon resources, which Explorer and shortcuts show too.
#include "shell/app/app_icon.h"

#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QList>
#include <QResource>
#include <QSize>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zr4 {
namespace {

constexpr QRgb kFrame = 0xff7fe3ff;  // light blue, opaque
constexpr QRgb kPanel = 0xff1c2026;  // dark grey, opaque

void ExpectFramedPanelWithZR(const QIcon& icon, int size) {
  SCOPED_TRACE(size);
  EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
  const QImage image =
      icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(size, size));
  // Rounded corners: the very corner is see-through.
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(image.pixel(size - 1, size - 1)), 0);
  // The frame in the middle of each edge.
  const int middle = size / 2;
  EXPECT_EQ(image.pixel(0, middle), kFrame);
  EXPECT_EQ(image.pixel(size - 1, middle), kFrame);
  EXPECT_EQ(image.pixel(middle, 0), kFrame);
  EXPECT_EQ(image.pixel(middle, size - 1), kFrame);
  // The panel above and below the lettering.
  EXPECT_EQ(image.pixel(middle, size / 5), kPanel);
  EXPECT_EQ(image.pixel(middle, size - 1 - size / 5), kPanel);
  // The lettering fills part of the middle band in the frame's colour (whatever the font).
  int lettering = 0;
  for (int y = size / 4; y < size * 3 / 4; ++y)
    for (int x = 2; x < size - 2; ++x) lettering += image.pixel(x, y) == kFrame ? 1 : 0;
  EXPECT_GE(lettering, size * size / 40);
}

#ifdef _WIN32

// Explorer takes 256 px for large icons and tiles; the window and the taskbar the small ones.
TEST(BuiltInIconTest, IsTheFramedDarkPanelWithZRInEverySize) {
  const QIcon icon = BuiltInIcon();
  for (const int size : {16, 24, 32, 48, 256}) ExpectFramedPanelWithZR(icon, size);
}

TEST(BuiltInIconTest, TheIconsAreTheProgramsResourcesByName) {
  for (const wchar_t* name : {L"MAINICON", L"ZICON_01"}) {
    SCOPED_TRACE(QString::fromWCharArray(name).toStdString());
    EXPECT_NE(FindResourceW(nullptr, name, MAKEINTRESOURCEW(14)), nullptr);  // RT_GROUP_ICON
  }
}

TEST(BuiltInTrayIconTest, IsTheFramedDarkPanelWithZRAtTheTraysSizes) {
  const QIcon icon = BuiltInTrayIcon();
  for (const int size : {16, 24, 32}) ExpectFramedPanelWithZR(icon, size);
}

#else

TEST(BuiltInIconTest, IsTheFramedDarkPanelWithZRInEverySize) {
  const QIcon icon = BuiltInIcon();
  for (const int size : {16, 24, 32, 48, 64}) {
    // Compiled in as raw pixels, four bytes each.
    EXPECT_EQ(QResource(QString(":/icons/zr%1.rgba").arg(size)).uncompressedSize(),
              size * size * 4);
    ExpectFramedPanelWithZR(icon, size);
  }
}

#endif

}  // namespace
}  // namespace zr4
