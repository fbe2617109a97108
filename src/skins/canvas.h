// A small raster canvas for drawing the shipped skins' pictures: filled shapes, gradients and a
// 5×7 pixel font, written as 24-bit bitmaps. Everything is integer arithmetic, so the pictures
// come out the same on every build.
//
// Positions and sizes are skin pixels. A canvas of scale 2 holds two device pixels per skin pixel
// in each direction (the picture for screens at 200 %): shapes, gradients, rounded corners and the
// font's strokes are worked out on the finer grid, so the picture is sharper than its 1x twin
// enlarged, with every edge at the same place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skins {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb kMagenta{255, 0, 255};  // the transparent colour of every shipped picture

Rgb Mix(Rgb a, Rgb b, int num, int den);  // a + (b − a) × num / den

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill, int scale = 1);
  int Width() const { return width_; }  // in skin pixels
  int Height() const { return height_; }
  int Scale() const { return scale_; }
  // Device pixels, for textures finer than a skin pixel.
  int PixelWidth() const { return width_ * scale_; }
  int PixelHeight() const { return height_ * scale_; }
  Rgb PixelAt(int px, int py) const {
    return pixels_[static_cast<std::size_t>(py * PixelWidth() + px)];
  }
  void SetPixel(int px, int py, Rgb c);
  void Fill(int x, int y, int w, int h, Rgb c);
  // A vertical gradient from `top` to `bottom`.
  void Gradient(int x, int y, int w, int h, Rgb top, Rgb bottom);
  // Keeps pixels inside a rectangle with corners of radius `r`; the rest becomes `outside`.
  void CutCorners(int x, int y, int w, int h, int r, Rgb outside);
  void Frame(int x, int y, int w, int h, Rgb c);
  // A triangle pointing right (dir 1) or left (-1) within a box of height h, tip at x + w.
  void Triangle(int x, int y, int w, int h, int dir, Rgb c);
  // A triangle pointing up.
  void TriangleUp(int x, int y, int w, int h, Rgb c);
  // Text in the 5×7 pixel font; returns the width drawn.
  int Text(int x, int y, const std::string& text, Rgb c);
  // Text with a shadow one stroke below and to the right of it.
  void ShadowedText(int x, int y, const std::string& text, Rgb ink, Rgb shadow);
  static int TextWidth(const std::string& text);
  std::string Bmp() const;

 private:
  // Device pixels x0 <= px < x1, y0 <= py < y1, clipped to the canvas.
  void FillPixels(int x0, int y0, int x1, int y1, Rgb c);
  // The text `shift` device pixels right of and below (x, y); returns the width in skin pixels.
  int Glyphs(int x, int y, const std::string& text, Rgb c, int shift);

  int width_, height_, scale_;
  std::vector<Rgb> pixels_;  // device pixels, rows from the top
};

}  // namespace skins
