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

}  // namespace

Rgb Mix(Rgb a, Rgb b, int num, int den) {
  auto mix = [&](int x, int y) { return static_cast<std::uint8_t>(x + (y - x) * num / den); };
  return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

void Canvas::Set(int x, int y, Rgb c) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_)
    pixels_[static_cast<std::size_t>(y * width_ + x)] = c;
}

void Canvas::Fill(int x, int y, int w, int h, Rgb c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::Gradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int j = 0; j < h; ++j) Fill(x, y + j, w, 1, Mix(top, bottom, j, std::max(h - 1, 1)));
}

void Canvas::CutCorners(int x, int y, int w, int h, int r, Rgb outside) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const int dx = i < r ? r - i : (i >= w - r ? i - (w - r - 1) : 0);
      const int dy = j < r ? r - j : (j >= h - r ? j - (h - r - 1) : 0);
      if (dx > 0 && dy > 0 && (dx - 1) * (dx - 1) + (dy - 1) * (dy - 1) >= r * r)
        Set(x + i, y + j, outside);
    }
}

void Canvas::Frame(int x, int y, int w, int h, Rgb c) {
  Fill(x, y, w, 1, c);
  Fill(x, y + h - 1, w, 1, c);
  Fill(x, y, 1, h, c);
  Fill(x + w - 1, y, 1, h, c);
}

void Canvas::Triangle(int x, int y, int w, int h, int dir, Rgb c) {
  for (int j = 0; j < h; ++j) {
    const int half = h / 2;
    const int dist = j <= half ? j : h - 1 - j;
    const int len = half == 0 ? w : (w * (dist + 1) + half) / (half + 1);
    if (dir > 0)
      Fill(x, y + j, std::min(len, w), 1, c);
    else
      Fill(x + w - std::min(len, w), y + j, std::min(len, w), 1, c);
  }
}

void Canvas::TriangleUp(int x, int y, int w, int h, Rgb c) {
  for (int j = 0; j < h; ++j) {
    const int len = std::max(1, (w * (j + 1)) / h);
    Fill(x + (w - len) / 2, y + j, len, 1, c);
  }
}

int Canvas::Text(int x, int y, const std::string& text, Rgb c, int scale) {
  int at = x;
  for (char ch : text) {
    const auto found = Font().find(ch);
    if (found != Font().end())
      for (int j = 0; j < 7; ++j)
        for (int i = 0; i < 5; ++i)
          if (found->second[static_cast<std::size_t>(j)][i] == '#')
            Fill(at + i * scale, y + j * scale, scale, scale, c);
    at += 6 * scale;
  }
  return at - x;
}

int Canvas::TextWidth(const std::string& text, int scale) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * 6 * scale - scale;
}

void Canvas::Blit(const Canvas& source, int x, int y) {
  for (int j = 0; j < source.height_; ++j)
    for (int i = 0; i < source.width_; ++i) Set(x + i, y + j, source.At(i, j));
}

std::string Canvas::Bmp() const {
  const std::uint32_t stride = (static_cast<std::uint32_t>(width_) * 3 + 3) & ~3u;
  const std::uint32_t size = stride * static_cast<std::uint32_t>(height_);
  std::string b = "BM";
  zr4::AppendLe32(b, 54 + size);
  zr4::AppendLe32(b, 0);
  zr4::AppendLe32(b, 54);
  zr4::AppendLe32(b, 40);
  zr4::AppendLe32(b, static_cast<std::uint32_t>(width_));
  zr4::AppendLe32(b, static_cast<std::uint32_t>(height_));
  zr4::AppendLe16(b, 1);
  zr4::AppendLe16(b, 24);
  zr4::AppendLe32(b, 0);
  zr4::AppendLe32(b, size);
  zr4::AppendLe32(b, 2835);
  zr4::AppendLe32(b, 2835);
  zr4::AppendLe32(b, 0);
  zr4::AppendLe32(b, 0);
  for (int y = height_ - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width_; ++x) {
      const Rgb c = At(x, y);
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
