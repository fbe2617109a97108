// The built-in icon, compiled in as pictures: a dark rounded panel with a light blue frame and
// "ZR" in light blue, in each size the window, the taskbar and the tray use.
#include "shell/app/app_icon.h"

#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QList>
#include <QResource>
#include <QSize>

namespace zr4 {
namespace {

constexpr QRgb kFrame = 0xff7fe3ff;  // light blue, opaque
constexpr QRgb kPanel = 0xff1c2026;  // dark grey, opaque

TEST(BuiltInIconTest, IsTheFramedDarkPanelWithZRInEverySize) {
  const QIcon icon = BuiltInIcon();
  const QList<QSize> sizes = icon.availableSizes();
  for (const int size : {16, 24, 32, 48, 64}) {
    SCOPED_TRACE(size);
    // Compiled in as raw pixels, four bytes each.
    EXPECT_EQ(QResource(QString(":/icons/zr%1.rgba").arg(size)).uncompressedSize(),
              size * size * 4);
    EXPECT_TRUE(sizes.contains(QSize(size, size)));
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
}

}  // namespace
}  // namespace zr4
