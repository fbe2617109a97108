#include "canvas.h"

#include <algorithm>
#include <array>
#include <map>

#include "core/base/le_bytes.h"

namespace skins {

namespace {

// 5×7 glyphs, one string of 7 rows per character, "#" set.
const std::map<char, std::array<const char*, 7>>& Font() {
  static const std::map<char, std::array<const char*, 7>> font = {
      {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
      {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
      {'C', {" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "}},
      {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
      {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
      {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
      {'G', {" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"}},
      {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
      {'I', {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
      {'J', {"  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "}},
      {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
      {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
      {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
      {'N', {"#   #", "#   #", "##  #", "# # #", "#  ##", "#   #", "#   #"}},
      {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
      {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
      {'Q', {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"}},
      {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
      {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
      {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
      {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
      {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
      {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "# # #", " # # "}},
      {'X', {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"}},
      {'Y', {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}},
      {'Z', {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"}},
      {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
      {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
      {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
      {'3', {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "}},
      {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
      {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
      {'6', {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "}},
      {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
      {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
      {'9', {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "}},
      {'+', {"     ", "  #  ", "  #  ", "#####", "  #  ", "  #  ", "     "}},
      {'-', {"     ", "     ", "     ", "#####", "     ", "     ", "     "}},
      {'.', {"     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "}},
      {'/', {"    #", "    #", "   # ", "  #  ", " #   ", "#    ", "#    "}},
      {'?', {" ### ", "#   #", "    #", "   # ", "  #  ", "     ", "  #  "}},
      {' ', {"     ", "     ", "     ", "     ", "     ", "     ", "     "}},
  };
  return font;
}

// A glyph as set pixels, at 1x the font's own 5×7.
struct Glyph {
  int width = 0, height = 0;
  std::vector<bool> set;
  bool At(int i, int j) const {
    return i >= 0 && j >= 0 && i < width && j < height &&
           set[static_cast<std::size_t>(j * width + i)];
  }
};

// At 2x the font is drawn as the strokes its pixels stand for rather than as its pixels
// enlarged: each pixel is a point of a grid two device pixels apart, and neighbouring points are
// joined by one-pixel lines (sideways, up and down, and diagonally where no straight step joins
// them). Letters keep their places and sizes, with strokes as fine as the screen can show and
// slopes and curves in single steps; a pixel with no neighbour (the dot of "?") stays a square.
// Other scales enlarge the font's pixels.
Glyph AtScale(const std::array<const char*, 7>& rows, int scale) {
  Glyph font{5, 7, std::vector<bool>(35)};
  for (int j = 0; j < 7; ++j)
    for (int i = 0; i < 5; ++i)
      font.set[static_cast<std::size_t>(j * 5 + i)] = rows[static_cast<std::size_t>(j)][i] == '#';
  if (scale == 1) return font;
  Glyph out{5 * scale, 7 * scale, std::vector<bool>(static_cast<std::size_t>(35 * scale * scale))};
  auto put = [&](int i, int j) { out.set[static_cast<std::size_t>(j * out.width + i)] = true; };
  for (int j = 0; j < 7; ++j)
    for (int i = 0; i < 5; ++i) {
      if (!font.At(i, j)) continue;
      if (scale != 2) {
        for (int b = 0; b < scale; ++b)
          for (int a = 0; a < scale; ++a) put(i * scale + a, j * scale + b);
        continue;
      }
      const bool right = font.At(i + 1, j), down = font.At(i, j + 1);
      const bool lonely = !right && !down && !font.At(i - 1, j) && !font.At(i, j - 1) &&
                          !font.At(i - 1, j - 1) && !font.At(i + 1, j - 1) &&
                          !font.At(i - 1, j + 1) && !font.At(i + 1, j + 1);
      put(2 * i, 2 * j);
      if (lonely) {
        put(2 * i + 1, 2 * j);
        put(2 * i, 2 * j + 1);
        put(2 * i + 1, 2 * j + 1);
      }
      if (right) put(2 * i + 1, 2 * j);
      if (down) put(2 * i, 2 * j + 1);
      if (font.At(i + 1, j + 1) && !right && !down) put(2 * i + 1, 2 * j + 1);
      if (font.At(i + 1, j - 1) && !right && !font.At(i, j - 1)) put(2 * i + 1, 2 * j - 1);
    }
  return out;
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, int num, int den) {
  auto mix = [&](int x, int y) { return static_cast<std::uint8_t>(x + (y - x) * num / den); };
  return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

Canvas::Canvas(int width, int height, Rgb fill, int scale)
    : width_(width),
      height_(height),
      scale_(scale),
      pixels_(static_cast<std::size_t>(width * scale * height * scale), fill) {}

void Canvas::SetPixel(int px, int py, Rgb c) {
  if (px >= 0 && py >= 0 && px < PixelWidth() && py < PixelHeight())
    pixels_[static_cast<std::size_t>(py * PixelWidth() + px)] = c;
}

void Canvas::FillPixels(int x0, int y0, int x1, int y1, Rgb c) {
  for (int py = y0; py < y1; ++py)
    for (int px = x0; px < x1; ++px) SetPixel(px, py, c);
}

void Canvas::Fill(int x, int y, int w, int h, Rgb c) {
  FillPixels(x * scale_, y * scale_, (x + w) * scale_, (y + h) * scale_, c);
}

// One colour step per device row: at 2x the gradient has twice the steps.
void Canvas::Gradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
  const int rows = h * scale_;
  for (int j = 0; j < rows; ++j)
    FillPixels(x * scale_, y * scale_ + j, (x + w) * scale_, y * scale_ + j + 1,
               Mix(top, bottom, j, std::max(rows - 1, 1)));
}

void Canvas::CutCorners(int x, int y, int w, int h, int r, Rgb outside) {
  const int px0 = x * scale_, py0 = y * scale_, pw = w * scale_, ph = h * scale_;
  const int pr = r * scale_;
  for (int j = 0; j < ph; ++j)
    for (int i = 0; i < pw; ++i) {
      const int dx = i < pr ? pr - i : (i >= pw - pr ? i - (pw - pr - 1) : 0);
      const int dy = j < pr ? pr - j : (j >= ph - pr ? j - (ph - pr - 1) : 0);
      if (dx > 0 && dy > 0 && (dx - 1) * (dx - 1) + (dy - 1) * (dy - 1) >= pr * pr)
        SetPixel(px0 + i, py0 + j, outside);
    }
}

void Canvas::Frame(int x, int y, int w, int h, Rgb c) {
  Fill(x, y, w, 1, c);
  Fill(x, y + h - 1, w, 1, c);
  Fill(x, y, 1, h, c);
  Fill(x + w - 1, y, 1, h, c);
}

// Worked out row by row on the device grid, so that a 2x triangle has twice the steps.
void Canvas::Triangle(int x, int y, int w, int h, int dir, Rgb c) {
  const int px = x * scale_, py = y * scale_, pw = w * scale_, ph = h * scale_;
  const int half = (ph - 1) / 2;
  for (int j = 0; j < ph; ++j) {
    const int dist = std::min(j, ph - 1 - j);
    const int len = std::min(half == 0 ? pw : (pw * (dist + 1) + half) / (half + 1), pw);
    if (dir > 0)
      FillPixels(px, py + j, px + len, py + j + 1, c);
    else
      FillPixels(px + pw - len, py + j, px + pw, py + j + 1, c);
  }
}

void Canvas::TriangleUp(int x, int y, int w, int h, Rgb c) {
  const int px = x * scale_, py = y * scale_, pw = w * scale_, ph = h * scale_;
  for (int j = 0; j < ph; ++j) {
    const int len = std::max(1, (pw * (j + 1)) / ph);
    FillPixels(px + (pw - len) / 2, py + j, px + (pw - len) / 2 + len, py + j + 1, c);
  }
}

int Canvas::Text(int x, int y, const std::string& text, Rgb c) {
  return Glyphs(x, y, text, c, 0);
}

// The font's strokes are one device pixel wide at 2x and a skin pixel wide otherwise.
void Canvas::ShadowedText(int x, int y, const std::string& text, Rgb ink, Rgb shadow) {
  Glyphs(x, y, text, shadow, scale_ == 2 ? 1 : scale_);
  Glyphs(x, y, text, ink, 0);
}

int Canvas::Glyphs(int x, int y, const std::string& text, Rgb c, int shift) {
  int at = x;
  for (char ch : text) {
    const auto found = Font().find(ch);
    if (found != Font().end()) {
      const Glyph glyph = AtScale(found->second, scale_);
      for (int j = 0; j < glyph.height; ++j)
        for (int i = 0; i < glyph.width; ++i)
          if (glyph.At(i, j)) SetPixel(at * scale_ + i + shift, y * scale_ + j + shift, c);
    }
    at += 6;
  }
  return at - x;
}

int Canvas::TextWidth(const std::string& text) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * 6 - 1;
}

std::string Canvas::Bmp() const {
  const std::uint32_t stride = (static_cast<std::uint32_t>(PixelWidth()) * 3 + 3) & ~3u;
  const std::uint32_t size = stride * static_cast<std::uint32_t>(PixelHeight());
  std::string b = "BM";
  zr4::AppendLe32(b, 54 + size);
  zr4::AppendLe32(b, 0);
  zr4::AppendLe32(b, 54);
  zr4::AppendLe32(b, 40);
  zr4::AppendLe32(b, static_cast<std::uint32_t>(PixelWidth()));
  zr4::AppendLe32(b, static_cast<std::uint32_t>(PixelHeight()));
  zr4::AppendLe16(b, 1);
  zr4::AppendLe16(b, 24);
  zr4::AppendLe32(b, 0);
  zr4::AppendLe32(b, size);
  zr4::AppendLe32(b, 2835);
  zr4::AppendLe32(b, 2835);
  zr4::AppendLe32(b, 0);
  zr4::AppendLe32(b, 0);
  for (int y = PixelHeight() - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < PixelWidth(); ++x) {
      const Rgb c = PixelAt(x, y);
      row += static_cast<char>(c.b);
      row += static_cast<char>(c.g);
      row += static_cast<char>(c.r);
    }
    row.resize(stride, '\0');
    b += row;
  }
  return b;
}

}  // namespace skins
