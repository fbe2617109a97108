#include "core/skin/skin_report.h"

#include "core/panel/status_report.h"

namespace zr4 {

namespace {

std::string Rect(const TRect& r) {
  std::string text = "[";
  text += std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
          ", " + std::to_string(r.bottom) + "]";
  return text;
}

std::string Bool(bool value) {
  return value ? "true" : "false";
}

std::string Place(TSkinPoint p, bool visible) {
  return "{\"x\": " + std::to_string(p.x) + ", \"y\": " + std::to_string(p.y) +
         ", \"visible\": " + Bool(visible) + "}";
}

const char* FormatName(const TSkinLook& look) {
  return look.SkinFormat == kShapedSkin ? "shaped" : "strip";
}

}  // namespace

std::string FormatSkinReportJson(const TSkinLook& look, const std::vector<std::string>& warnings) {
  const TSkinInfo& info = look.Info;
  std::string json = "{\"format\": \"" + std::string(FormatName(look)) + "\"";
  json += ", \"width\": " + std::to_string(look.Main.Width) +
          ", \"height\": " + std::to_string(look.Main.Height);
  json += ", \"outline\": [";
  if (look.Outline)
    for (std::size_t k = 0; k < look.Outline->size(); ++k)
      json += (k ? ", " : "") + Rect((*look.Outline)[k]);
  json += "], \"author\": " + JsonString(info.ExInfo.Author);
  json += ", \"description\": " + JsonString(info.ExInfo.Description);
  json += ", \"buttons\": [";
  for (int b = 0; b < kSkinButtonCount; ++b) {
    const auto i = static_cast<std::size_t>(b);
    json += (b ? ", " : "") + Place(info.ButtonPos[i], info.ButtonVisible[i]);
  }
  json += "], \"labels\": [";
  for (int s = 0; s < kDisplaySlotCount; ++s) {
    const auto i = static_cast<std::size_t>(s);
    json += (s ? ", " : "") + Place(info.DisplayPos[i], info.DisplayVisible[i]);
  }
  json += "], \"volumeBar\": " + Rect(info.ExInfo.VolBarRect);
  json += ", \"kind\": " + Bool(info.ExInfo.Kind) + ", \"bar\": " + Bool(info.ExInfo.Bar) +
          ", \"border\": " + Bool(info.ExInfo.Border);
  json += ", \"warnings\": [";
  for (std::size_t k = 0; k < warnings.size(); ++k)
    json += (k ? ", " : "") + JsonString(warnings[k]);
  return json + "]}";
}

std::string FormatSkinReport(const TSkinLook& look, const std::vector<std::string>& warnings) {
  const TSkinInfo& info = look.Info;
  std::string text = "Format: " + std::string(FormatName(look)) + "\n";
  text += "Picture: " + std::to_string(look.Main.Width) + " x " + std::to_string(look.Main.Height) +
          "\n";
  text +=
      "Outline: " +
      (look.Outline ? std::to_string(look.Outline->size()) + " rectangles" : std::string("none")) +
      "\n";
  text += "Author: " + info.ExInfo.Author + "\nDescription: " + info.ExInfo.Description + "\n";
  text += "Volume bar: " + Rect(info.ExInfo.VolBarRect) +
          (info.ExInfo.Kind ? " vertical" : " horizontal") +
          (info.ExInfo.Bar ? ", scroll bar shown" : "") + (info.ExInfo.Border ? ", framed" : "") +
          "\n";
  for (int b = 0; b < kSkinButtonCount; ++b) {
    const auto i = static_cast<std::size_t>(b);
    text += std::string(kSkinButtonKeys[i]) + ": " + std::to_string(info.ButtonPos[i].x) + "," +
            std::to_string(info.ButtonPos[i].y) + (info.ButtonVisible[i] ? "" : " (hidden)") +
            (look.Buttons[i].Image.Empty() ? " (no picture)" : "") + "\n";
  }
  for (const std::string& w : warnings) text += "Warning: " + w + "\n";
  return text;
}

}  // namespace zr4
