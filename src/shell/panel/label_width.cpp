#include "shell/panel/label_width.h"

#include <QFontMetrics>

namespace zr4 {

namespace {
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

bool DigitsShareOneWidth(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QLatin1Char('0'));
  for (char digit = '1'; digit <= '9'; ++digit)
    if (metrics.horizontalAdvance(QLatin1Char(digit)) != width) return false;
  return true;
}

bool WidthCannotChange(const std::string& before, const std::string& after, bool evenDigits) {
  if (before == after) return true;
  if (!evenDigits || before.size() != after.size()) return false;
  for (std::size_t k = 0; k < before.size(); ++k)
    if (before[k] != after[k] && !(IsDigit(before[k]) && IsDigit(after[k]))) return false;
  return true;
}

}  // namespace zr4
