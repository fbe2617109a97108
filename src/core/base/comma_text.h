// Comma text: the one encoding used wherever several fields share one string (gesture entries,
// the program's own parameters, the dialogs' lists, the values of skin.ini).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zr4 {

// Items holding a blank or control character (codes 0..32), a double quote or a comma are written
// in double quotes with inner quotes doubled; the others as they are; joined by single commas.
// A list of one empty item is two double quotes; an empty item among others is nothing.
std::string EncodeCommaText(const std::vector<std::string>& items);

// Blanks (codes 1..32) before an item are skipped; a quoted item runs to its closing quote (a
// doubled quote stands for one, a missing closing quote runs to the end); any other item runs up
// to a blank or a comma. After an item, blanks and one comma with the blanks after it are
// consumed, so a blank alone also separates items; a comma at the very end adds an empty item.
// A zero byte ends the text. UTF-8 bytes of other characters are all 0x80 or above, so they are
// never taken for a quote, a comma or a blank.
std::vector<std::string> DecodeCommaText(std::string_view text);

// The n-th field (from 1) of a comma-separated text, walked from the left; see the notes in the
// implementation for fields beyond the last one.
std::string GetCsvField(const std::string& text, int n);

}  // namespace zr4
