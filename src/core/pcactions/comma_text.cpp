#include "core/pcactions/comma_text.h"

namespace zr4 {

namespace {
bool IsBlank(char c) {
  const unsigned char code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

bool NeedsQuotes(const std::string& item) {
  for (char c : item)
    if (static_cast<unsigned char>(c) <= 32 || c == '"' || c == ',') return true;
  return false;
}

std::string Quoted(const std::string& item) {
  std::string text = "\"";
  for (char c : item) {
    text += c;
    if (c == '"') text += '"';
  }
  return text + '"';
}
}  // namespace

std::string EncodeCommaText(const std::vector<std::string>& items) {
  if (items.size() == 1 && items[0].empty()) return "\"\"";
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += ',';
    text += NeedsQuotes(items[i]) ? Quoted(items[i]) : items[i];
  }
  return text;
}

std::vector<std::string> DecodeCommaText(std::string_view text) {
  if (const std::size_t zero = text.find('\0'); zero != std::string_view::npos)
    text = text.substr(0, zero);
  std::vector<std::string> items;
  std::size_t p = 0;
  const std::size_t end = text.size();
  while (p < end && IsBlank(text[p])) ++p;
  while (p < end) {
    std::string item;
    if (text[p] == '"') {
      ++p;
      while (p < end) {
        if (text[p] == '"') {
          ++p;
          if (p >= end || text[p] != '"') break;
        }
        item += text[p++];
      }
    } else {
      const std::size_t start = p;
      while (p < end && !IsBlank(text[p]) && text[p] != ',') ++p;
      item.assign(text.substr(start, p - start));
    }
    items.push_back(std::move(item));
    while (p < end && IsBlank(text[p])) ++p;
    if (p < end && text[p] == ',') {
      if (p + 1 == end) items.emplace_back();
      do ++p;
      while (p < end && IsBlank(text[p]));
    }
  }
  return items;
}

}  // namespace zr4
