#include "core/tray/tray_tip.h"

namespace zr4 {

std::string CutUtf8(const std::string& text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = maxBytes;
  // Continuation bytes (10xxxxxx) belong to the character before them.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

std::string TrayTipText(const TPanelLabels& l, const std::string& countdownTitle) {
  std::string status = l.lbInput + l.lbPresetNum + " " + l.lbRadioNum + l.lbHz + " Vol." + l.lbVol;
  if (!countdownTitle.empty()) status = countdownTitle + "  " + status;
  return CutUtf8(status, kTrayTipMaxBytes);
}

}  // namespace zr4
