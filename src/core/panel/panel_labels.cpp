#include "core/panel/panel_labels.h"

#include <cstdio>

namespace zr4 {

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2d", value);
  return text;
}

std::string LabelDisplayText(const std::string& caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') ++i;
    text += caption[i];
  }
  return text;
}

}  // namespace zr4
