// A skin's fonts and colours as this system draws them: the faces skins name (often ones only
// Windows has) with installed stand-ins, the sizes in the skin's own pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>

#include "core/skin/skin_info.h"

namespace zr4 {

// A skin font: sizes are points at 96 dots per inch, so that text keeps its place in the
// skin's pixels whatever the screen; a font nobody set is the platform's face at 8 points.
QFont FontOf(const TSkinFont& f, const QFont& base);

// A skin colour ($00BBGGRR).
QColor ColorOf(std::uint32_t bgr);

// Tells Qt once which installed faces stand in for those skins name and this system lacks.
void SubstituteSkinFonts();

}  // namespace zr4
