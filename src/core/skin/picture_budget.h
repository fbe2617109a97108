// What all pictures of one skin may cost together. Each picture is bounded on its own as well,
// but a skin of a few kilobytes may name 28 of them; together they must still fit what a screen
// can show, so that no skin, however built, takes the program's memory or minutes to load.
#pragma once

#include <cstdint>
#include <string>

namespace zr4 {

class TPictureBudget {
 public:
  // A 1920 x 1080 face fits with a million pixels of button pictures (each holds three state
  // images); a skin larger than any screen can show does not. The program holds each picture
  // about four times over (decoded, drawn, on the window, in a screenshot), and stays under
  // 100 MB with the largest.
  static constexpr std::int64_t kMostPixels = 3 * 1024 * 1024;
  // The picture files themselves, read or extracted whole before they are decoded: four bytes
  // for each pixel of the budget and room for headers and palettes.
  static constexpr std::int64_t kMostFileBytes = 16 * 1024 * 1024;

  // Counts a picture file of `bytes` bytes; throws ESkinError, before it is read, when the
  // skin's picture files together would pass kMostFileBytes.
  void TakeFile(const std::string& name, std::int64_t bytes);
  // Counts a decoded picture; throws ESkinError when the skin's pictures together would pass
  // kMostPixels.
  void TakePixels(const std::string& name, int width, int height);

 private:
  std::int64_t fileBytes_ = 0;
  std::int64_t pixels_ = 0;
};

}  // namespace zr4
