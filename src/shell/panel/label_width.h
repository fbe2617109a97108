// When a label must be sized to its text again. Sizing lays the text out, which is most of what
// a label change costs, and while a CD plays the play time changes on every poll.
#pragma once

#include <QFont>
#include <string>

namespace zr4 {

// Whether the ten digits all take one width in `font` (as in most fonts, so that counting
// figures stand still).
bool DigitsShareOneWidth(const QFont& font);

// Whether a label showing `before` keeps its width when it shows `after`: the same text, or,
// when the font's digits share one width, the same text with only digits exchanged for
// digits (a play time or a volume counting).
bool WidthCannotChange(const std::string& before, const std::string& after, bool evenDigits);

}  // namespace zr4
