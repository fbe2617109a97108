#include "core/base/comma_text.h"

#include "core/base/blanks.h"

namespace zr4 {

namespace {
bool NeedsQuotes(const std::string& item) {
  for (char c : item)
    if (IsBlank(c) || c == '"' || c == ',') return true;
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

// Walks from the left: while n is above 0, the part before the next comma becomes the result
// and is dropped with its comma. When no comma is left, the rest becomes the result only if n
// is 1 at that moment. So a field beyond the last yields the field taken last.
std::string GetCsvField(const std::string& text, int n) {
  std::string result;
  std::string rest = text;
  while (n > 0) {
    const std::size_t comma = rest.find(',');
    if (comma == std::string::npos) {
      if (n == 1) result = rest;
      break;
    }
    result = rest.substr(0, comma);
    rest.erase(0, comma + 1);
    --n;
  }
  return result;
}

}  // namespace zr4
