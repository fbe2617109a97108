#include "core/skin/picture_budget.h"

#include "core/skin/skin_ini.h"

namespace zr4 {

void TPictureBudget::TakeFile(const std::string& name, std::int64_t bytes) {
  if (bytes > kMostFileBytes - fileBytes_)
    throw ESkinError("The skin is too large: its picture files together pass " +
                     std::to_string(kMostFileBytes) + " bytes (at " + name + ", " +
                     std::to_string(bytes) + " bytes)");
  fileBytes_ += bytes;
}

void TPictureBudget::TakePixels(const std::string& name, int width, int height) {
  const std::int64_t pixels = std::int64_t{width} * height;
  if (pixels > kMostPixels - pixels_)
    throw ESkinError("The skin is too large for any screen: its pictures together pass " +
                     std::to_string(kMostPixels) + " pixels (at " + name + ", " +
                     std::to_string(width) + " x " + std::to_string(height) + ")");
  pixels_ += pixels;
}

}  // namespace zr4
