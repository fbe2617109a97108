// A small raster canvas for drawing the shipped skins' pictures: filled shapes, gradients and a
// 5×7 pixel font, written as 24-bit bitmaps. Everything is integer arithmetic, so the pictures
// come out the same on every build.
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
  Canvas(int width, int height, Rgb fill);
  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
  void Set(int x, int y, Rgb c);
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
  // Text in the 5×7 pixel font, each pixel `scale` wide; returns the width drawn.
  int Text(int x, int y, const std::string& text, Rgb c, int scale = 1);
  static int TextWidth(const std::string& text, int scale = 1);
  void Blit(const Canvas& source, int x, int y);
  std::string Bmp() const;

 private:
  int width_, height_;
  std::vector<Rgb> pixels_;
};

}  // namespace skins
